#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string_view>

#include "filelib/IFile.h"

namespace OvGraphFileLib {

// File kinds by extension, single bits so that callers can combine them into filters.
enum FileKind : uint32_t {
    kFileNone = 0,
    kFileCra = 0x1,
    kFileCsv = 0x2,
    kFileKaq = 0x4,
    kFileKe8 = 0x8,
    kFileKej = 0x10,
    kFileKqc = 0x20,
    kFileKs2 = 0x40,
    kFileKqa = 0x80,
    kFileKqb = 0x100,
    kFileKqe = 0x200,
    kFileKmb = 0x400,
    kFileKmv = 0x800,
    kFileKmq = 0x1000,
    kFileKs3 = 0x4000,
    kFileKqd = 0x8000,
    kFileKac = 0x10000,
    kFileKad = 0x20000,
    kFileKn1 = 0x400000,
    kFileKn2 = 0x800000,
    kFileKmw = 0x1000000,
};

// The kind of a file name's extension (the text after the last dot, any case); 0 when unknown.
uint32_t GetFileKind(const std::filesystem::path& path);
// A new, empty reader for the kind; null when the kind has no reader.
std::shared_ptr<IFile> CreateReader(uint32_t kind);

struct LoadedChannels {
    Result result;
    ChList channels;  // empty unless result is success
};

// The whole load pipeline: kind by extension (53 when unknown), reader (1 when the kind has
// none), load (50 when the file cannot be opened, else the reader's result), channels.
LoadedChannels LoadChannels(const std::filesystem::path& path);
// Reads the file as a web-storage JSON answer, whatever its name.
LoadedChannels LoadWebStorageChannels(const std::filesystem::path& path);

}  // namespace OvGraphFileLib
