#include "filelib/FileKind.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "filelib/FileDss.h"
#include "filelib/FileKe8.h"
#include "filelib/FileCra.h"
#include "filelib/FileKmq.h"
#include "filelib/FileKmv.h"
#include "filelib/FileKmw.h"
#include "filelib/FileKn.h"
#include "filelib/FileKs2.h"
#include "filelib/FileKs3.h"

namespace OvGraphFileLib {
namespace {

using ReaderFactory = std::shared_ptr<IFile> (*)();

struct KindEntry {
    std::string_view extension;
    uint32_t kind;
    ReaderFactory createReader;  // null: no reader for this kind here
};

// The reader of web-storage answers, which have no extension.
constexpr ReaderFactory kWebStorageReader = []() -> std::shared_ptr<IFile> { return std::make_shared<FileDss>(); };

LoadedChannels LoadWith(const std::shared_ptr<IFile>& reader, const std::filesystem::path& path)
{
    if (!reader) return {{kFailure, 0, "OvGraphFileLib::LoadChannels"}, {}};
    const Result result = reader->Load(path);
    if (!result.Ok()) return {result, {}};
    return {result, reader->GetChList()};
}

template <class Reader>
std::shared_ptr<IFile> Create()
{
    return std::make_shared<Reader>();
}

// A new format adds its reader's factory to its row.
constexpr KindEntry kKinds[] = {
    {"cra", kFileCra, Create<FileCra>}, {"csv", kFileCsv, nullptr}, {"kaq", kFileKaq, Create<FileKmv>},
    {"ke8", kFileKe8, Create<FileKe8>}, {"kej", kFileKej, Create<FileKe8>}, {"kqc", kFileKqc, nullptr},
    {"ks2", kFileKs2, Create<FileKs2>}, {"kqa", kFileKqa, nullptr}, {"kqb", kFileKqb, nullptr},
    {"kqe", kFileKqe, nullptr}, {"kmb", kFileKmb, nullptr}, {"kmv", kFileKmv, Create<FileKmv>},
    {"kmq", kFileKmq, Create<FileKmq>}, {"ks3", kFileKs3, Create<FileKs3>}, {"kqd", kFileKqd, nullptr},
    {"kac", kFileKac, Create<FileKmv>}, {"kad", kFileKad, Create<FileKe8>}, {"kn1", kFileKn1, Create<FileKn1>},
    {"kn2", kFileKn2, Create<FileKn2>}, {"kmw", kFileKmw, Create<FileKmw>},
};

}  // namespace

uint32_t GetFileKind(const std::filesystem::path& path)
{
    const std::string name = path.filename().string();
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos) return kFileNone;
    std::string extension = name.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    for (const KindEntry& entry : kKinds)
        if (entry.extension == extension) return entry.kind;
    return kFileNone;
}

std::shared_ptr<IFile> CreateReader(uint32_t kind)
{
    for (const KindEntry& entry : kKinds)
        if (entry.kind == kind) return entry.createReader ? entry.createReader() : nullptr;
    return nullptr;
}

LoadedChannels LoadChannels(const std::filesystem::path& path)
{
    const uint32_t kind = GetFileKind(path);
    if (kind == kFileNone) return {{kUnsupportedFile, 0, "OvGraphFileLib::LoadChannels"}, {}};
    return LoadWith(CreateReader(kind), path);
}

LoadedChannels LoadWebStorageChannels(const std::filesystem::path& path)
{
    return LoadWith(kWebStorageReader(), path);
}

}  // namespace OvGraphFileLib
