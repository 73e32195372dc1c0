#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "filelib/FileKind.h"
#include "filelib/IFile.h"
#include "filelib/Stuff.h"

using namespace OvGraphFileLib;

namespace {

std::filesystem::path TempPath(const std::string& name)
{
    const auto dir = std::filesystem::temp_directory_path() / "orvel-filelib-test";
    std::filesystem::create_directories(dir);
    return dir / name;
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// A file of two numbers: a 16-bit count, then that many 32-bit values. Saving fails on demand.
class NumbersFile : public IFile {
public:
    std::vector<uint32_t> numbers;
    bool failSave = false;

    void SaveImpl(std::ostream& out) const override
    {
        Stuff::WriteBinary(out, uint16_t(numbers.size()), 10, "NumbersFile::SaveImpl");
        for (size_t i = 0; i < numbers.size(); ++i) {
            if (failSave && i == 1) ThrowResult(kWriteFailed, 12, "NumbersFile::SaveImpl");
            Stuff::WriteBinary(out, numbers[i], 11, "NumbersFile::SaveImpl");
        }
    }
    void LoadImpl(std::istream& in) override
    {
        const uint16_t count = Stuff::Read<uint16_t>(in, 20, "NumbersFile::LoadImpl");
        numbers.clear();
        for (uint16_t i = 0; i < count; ++i) numbers.push_back(Stuff::Read<uint32_t>(in, 21, "NumbersFile::LoadImpl"));
    }
    ChList GetChList() const override { return {}; }
    std::string GetClassName() const override { return "NumbersFile"; }
};

class ReadOnlyFile : public IFile {
public:
    void LoadImpl(std::istream&) override {}
    ChList GetChList() const override { return {}; }
    std::string GetClassName() const override { return "ReadOnlyFile"; }
};

}  // namespace

TEST(FileKind, ExtensionSelectsKindWithoutRegardToCase)
{
    const struct {
        const char* name;
        uint32_t kind;
    } rows[] = {
        {"DATA.KMQ", kFileKmq},  {"data.kmq", kFileKmq},       {"a.b.Kmv", kFileKmv},   {"x.kaq", kFileKaq},
        {"x.kac", kFileKac},     {"x.ke8", kFileKe8},          {"x.kej", kFileKej},     {"x.kad", kFileKad},
        {"x.kmw", kFileKmw},     {"x.ks2", kFileKs2},          {"x.ks3", kFileKs3},     {"x.kn1", kFileKn1},
        {"x.kn2", kFileKn2},     {"x.cra", kFileCra},          {"x.csv", kFileCsv},     {"x.kmb", kFileKmb},
        {"x.kqa", kFileKqa},     {"noext", kFileNone},         {"x.", kFileNone},       {"x.txt", kFileNone},
        {"dir.kmv/file", kFileNone}, {"/tmp/dir.d/x.KN2", kFileKn2},
    };
    for (const auto& row : rows) EXPECT_EQ(row.kind, GetFileKind(row.name)) << row.name;
}

TEST(FileKind, KindsAreDistinctSingleBits)
{
    const uint32_t kinds[] = {kFileCra, kFileCsv, kFileKaq, kFileKe8, kFileKej, kFileKqc, kFileKs2,
                              kFileKqa, kFileKqb, kFileKqe, kFileKmb, kFileKmv, kFileKmq, kFileKs3,
                              kFileKqd, kFileKac, kFileKad, kFileKn1, kFileKn2, kFileKmw};
    uint32_t seen = 0;
    for (uint32_t kind : kinds) {
        EXPECT_EQ(1, std::popcount(kind));
        EXPECT_EQ(0u, seen & kind);
        seen |= kind;
    }
}

TEST(LoadChannels, FailuresBeforeAnyReaderRuns)
{
    const auto kqa = TempPath("x.kqa");
    WriteFile(kqa, "whatever");
    const struct {
        std::filesystem::path path;
        int32_t code;
    } rows[] = {
        {TempPath("noext"), kUnsupportedFile},  // unknown extension: nothing is opened
        {TempPath("missing.txt"), kUnsupportedFile},
        {kqa, kFailure},  // known kind without a reader
    };
    for (const auto& row : rows) {
        const LoadedChannels loaded = LoadChannels(row.path);
        EXPECT_EQ(row.code, loaded.result.code) << row.path;
        EXPECT_EQ(0, loaded.result.location);
        EXPECT_TRUE(loaded.channels.empty());
    }
    EXPECT_EQ("未対応のファイルです。(0)", LoadChannels(TempPath("noext")).result.Message());
    EXPECT_EQ("失敗しました。(0)", LoadChannels(kqa).result.Message());
}

TEST(Result, MessagesPutTheLocationInPlace)
{
    const struct {
        int32_t code;
        int32_t location;
        const char* message;
    } rows[] = {
        {0, 0, "成功"},
        {50, 3, "ファイルオープンに失敗しました。(3)"},
        {51, 700, "書き込みに失敗しました。(700)"},
        {52, 8060, "読み込みに失敗しました。(8060)"},
        {53, 0, "未対応のファイルです。(0)"},
        {54, 12, "このファイルは新しいOrvel Graphで保存したファイルです。このファイルを読み込むためにOrvel "
                 "Graphをバージョンアップして下さい。(12)"},
        {55, 731, "ファイルが壊れています。(731)"},
        {56, 9039, "失敗しました。(9039)"},
        {57, 1, "Y軸の数を減らして下さい。(1)"},
        {1, 0, "失敗しました。(0)"},
        {-7, -1, "失敗しました。(-1)"},
    };
    for (const auto& row : rows) EXPECT_EQ(row.message, ResultMessage(row.code, row.location)) << row.code;
}

TEST(IFile, SaveAndLoadByPathRoundTrip)
{
    const auto path = TempPath("numbers.bin");
    NumbersFile written;
    written.numbers = {1, 0xFFFFFFFF, 42};
    ASSERT_TRUE(written.Save(path).Ok());
    EXPECT_EQ(std::string("\x03\x00\x01\x00\x00\x00\xFF\xFF\xFF\xFF\x2A\x00\x00\x00", 14), ReadFile(path));

    NumbersFile read;
    const Result result = read.Load(path);
    EXPECT_TRUE(result.Ok());
    EXPECT_EQ(0, result.location);
    EXPECT_EQ(written.numbers, read.numbers);
}

TEST(IFile, FailedSaveKeepsThePreviousFile)
{
    const auto path = TempPath("keep.bin");
    WriteFile(path, "previous content");
    NumbersFile file;
    file.numbers = {1, 2, 3};
    file.failSave = true;
    const Result result = file.Save(path);
    EXPECT_EQ(kWriteFailed, result.code);
    EXPECT_EQ(12, result.location);
    EXPECT_EQ("previous content", ReadFile(path));
    for (const auto& entry : std::filesystem::directory_iterator(path.parent_path()))
        EXPECT_EQ(std::string::npos, entry.path().filename().string().find("keep.bin.tmp")) << "temporary left behind";
}

TEST(IFile, OpenFailuresAreCode50)
{
    NumbersFile file;
    EXPECT_EQ(kOpenFailed, file.Load(TempPath("does-not-exist.bin")).code);
    EXPECT_EQ(kOpenFailed, file.Load(TempPath("")).code);  // a directory
    EXPECT_EQ(kOpenFailed, file.Save(TempPath("no-such-dir") / "x.bin").code);
}

TEST(IFile, TruncatedStreamsFailAtTheFieldBeingRead)
{
    const struct {
        std::string bytes;
        int32_t location;
    } rows[] = {
        {"", 20},
        {std::string("\x02", 1), 20},
        {std::string("\x02\x00", 2), 21},
        {std::string("\x02\x00\x01\x00\x00\x00\x05", 7), 21},
    };
    for (const auto& row : rows) {
        std::istringstream in(row.bytes);
        NumbersFile file;
        const Result result = file.Load(in);
        EXPECT_EQ(kReadFailed, result.code) << row.bytes.size();
        EXPECT_EQ(row.location, result.location) << row.bytes.size();
        EXPECT_EQ("NumbersFile::LoadImpl", result.where);
    }
}

TEST(IFile, SaveOfAReaderThatCannotWriteIsAFailureNotSuccess)
{
    ReadOnlyFile file;
    std::ostringstream out;
    const Result result = file.Save(out);
    EXPECT_EQ(kFailure, result.code);
    EXPECT_EQ("not impremented", result.where);
}

TEST(Stuff, ReadBytesRefusesCountsBeyondTheStream)
{
    std::istringstream in(std::string(10, 'x'));
    std::vector<uint8_t> out;
    try {
        Stuff::ReadBytes(in, out, uint64_t(1) << 40, 99, "test");
        FAIL() << "no failure";
    } catch (const Result& result) {
        EXPECT_EQ(kReadFailed, result.code);
        EXPECT_EQ(99, result.location);
    }
    EXPECT_LT(out.capacity(), 1024u);
}

TEST(Stuff, CopyBinaryReportsAShortfall)
{
    const std::vector<uint8_t> queue = {1, 2, 3, 4};
    uint8_t buffer[4] = {};
    Stuff::CopyBinary(queue, 1, buffer, 3, 5, "test");
    EXPECT_EQ(4, buffer[2]);
    for (const auto& [offset, size] : {std::pair<size_t, size_t>{2, 3}, {5, 0}, {0, 5}}) {
        try {
            Stuff::CopyBinary(queue, offset, buffer, size, 5, "test");
            ADD_FAILURE() << offset << "+" << size;
        } catch (const Result& result) {
            EXPECT_EQ(kReadFailed, result.code);
            EXPECT_EQ(5, result.location);
        }
    }
}
