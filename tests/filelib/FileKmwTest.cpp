#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "ReaderTestSupport.h"
#include "filelib/ChannelBytes.h"
#include "filelib/FileKind.h"
#include "filelib/FileKmw.h"
#include "filelib/FileKmwCh.h"
#include "fixtures/KmwBuilder.h"

// Row tables name only the fields a row changes; the others keep the builder's defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

using namespace OvGraphFileLib;
using namespace OvGraphFileLib::test;
using orvel::fixtures::BuildKmw;
using orvel::fixtures::BuildKmwChannelHeader;
using orvel::fixtures::KmwChannelSpec;

namespace {

constexpr size_t kHeaderSize = 256;

Loaded LoadKmw(const std::string& bytes) { return LoadWith<FileKmw>(bytes); }

}  // namespace

TEST(FileKmw, TypeByteGivesTypeAndDecimalPlaces)
{
    const struct {
        uint8_t typeByte;
        uint16_t type;
        int8_t decimals;
    } rows[] = {
        {13, 13, 1},  {14, 14, 1},  {208, 209, 1}, {209, 209, 1}, {224, 146, 3}, {65, 0, 1},
        {73, 0, 1},   {85, 0, 1},   {146, 0, 1},   {0, 0, 1},     {225, 0, 1},   {255, 0, 1},
    };
    for (const auto& row : rows) {
        const Loaded loaded = LoadKmw(BuildKmw({{.typeByte = row.typeByte, .codes = {1}}}));
        ASSERT_EQ(0, loaded.result.code);
        const ICh& ch = *loaded.channels.at(0);
        EXPECT_EQ("FileKmwCh", ch.GetClassName());
        EXPECT_EQ(row.type, ch.GetChType()) << int(row.typeByte);
        EXPECT_EQ(row.decimals, ch.GetDecimalPlaces()) << int(row.typeByte);
        EXPECT_EQ(int32_t(row.type), ch.GetRawData().at(0)->GetChType()) << int(row.typeByte);
    }
}

TEST(FileKmw, ChannelHeaderGivesNameTimesAndCount)
{
    constexpr int64_t t0 = 1700000000000;
    const struct {
        const char* intervalDigits;
        size_t count;
        int64_t interval, first, last;
    } rows[] = {
        {"600", 3, 600000, t0, t0 + 1200000},
        {"30", 1, 30000, t0, t0},
        {"  60", 2, 60000, t0, t0 + 60000},
        {"600", 0, 600000, -1, -1},
    };
    for (const auto& row : rows) {
        const Loaded loaded = LoadKmw(BuildKmw({{.name = "\x89\xB7\x93\x78",
                                                .firstSeconds = 1700000000,
                                                .intervalDigits = row.intervalDigits,
                                                .codes = std::vector<uint16_t>(row.count, 1215)}}));
        ASSERT_EQ(0, loaded.result.code);
        const ICh& ch = *loaded.channels.at(0);
        EXPECT_EQ(u"温度", ch.GetChName());
        EXPECT_EQ(row.interval, ch.GetInterval()) << row.intervalDigits;
        EXPECT_EQ(int32_t(row.count), ch.GetDataCount());
        EXPECT_EQ(row.first, ch.GetFirstTime()) << row.count;
        EXPECT_EQ(row.last, ch.GetLastTime()) << row.count;
    }
}

TEST(FileKmw, KmvSerialLimitAndTimeZoneBytesMeanNothing)
{
    std::string bytes = BuildKmw({{.codes = {1215}}});
    // As a kmv record these would mark a serial number, 'C' limits and the time-zone fields.
    bytes[kHeaderSize + 105] = char(0xF1);
    bytes[kHeaderSize + 106] = 0x01;
    bytes[kHeaderSize + 114] = 'C';
    bytes[kHeaderSize + 115] = char(0xFA);
    bytes[kHeaderSize + 119] = 'v';
    bytes[kHeaderSize + 120] = char(0xE4);
    bytes[kHeaderSize + 130] = 'v';
    const Loaded loaded = LoadKmw(bytes);
    ASSERT_EQ(0, loaded.result.code);
    ASSERT_EQ(1u, loaded.channels.size());  // no cumulative channel either
    const ICh& ch = *loaded.channels[0];
    EXPECT_EQ(0u, ch.GetSerialNo());
    EXPECT_EQ(kNoUpper, ch.GetUpperLimit());
    EXPECT_EQ(kNoLower, ch.GetLowerLimit());
    EXPECT_EQ(kNotGiven, ch.GetTimeDiff());
    EXPECT_EQ(kNotGiven, ch.GetStdBias());
    EXPECT_EQ(kNotGiven, ch.GetDstBias());
}

TEST(FileKmw, SampleCodesDecodeByTheirType)
{
    const struct {
        uint8_t typeByte;
        uint16_t code;
        double value;
    } rows[] = {
        {13, 1215, 21.5},      {13, 31037, -273.0},    {13, 31001, kInvalid}, {13, 0xEEEE, kInvalid},
        {14, 1215, 70.7},      {209, 1555, 55.5},      {208, 1555, 55.5},     {209, 0xFFFF, kInvalid},
        {224, 0x0123, 29.1},   {224, 0x8FFF, -0.1},    {224, 0xF005, kInvalid}, {224, 0xF00F, kInvalid},
        {99, 1234, 1234.0},    {99, 0xFFFF, 65535.0},
    };
    for (const auto& row : rows) {
        const Loaded loaded = LoadKmw(BuildKmw({{.typeByte = row.typeByte, .codes = {row.code}}}));
        ASSERT_EQ(0, loaded.result.code);
        const auto blocks = loaded.channels.at(0)->GetRawData();
        ASSERT_EQ(1u, blocks.size());
        EXPECT_EQ("FileKmwChRawData", blocks[0]->GetClassName());
        EXPECT_DOUBLE_EQ(row.value, blocks[0]->GetValue(0)) << int(row.typeByte) << " code " << row.code;
    }
}

TEST(FileKmw, SavingWritesBackTheBytesItRead)
{
    std::string filler = BuildKmw({{.codes = {1, 2, 3, 4, 5, 6, 7}}, {.typeByte = 224, .codes = {}}});
    for (size_t i = 8; i < kHeaderSize; ++i) filler[i] = char(i * 7);
    for (const size_t i : {0, 1, 40, 105, 119, 130, 200, 255}) filler[kHeaderSize + i] = char(0xA5);
    filler[kHeaderSize * 2 + 15] = char(0xCD);
    const std::string rows[] = {
        BuildKmw({}),
        BuildKmw({{.codes = {}}}),
        BuildKmw({{.codes = std::vector<uint16_t>(8, 1)}, {.codes = std::vector<uint16_t>(15, 2)}, {}}, 5, 0x80000000),
        filler,
    };
    for (const std::string& bytes : rows) {
        FileKmw file;
        std::istringstream in(bytes);
        ASSERT_EQ(0, file.Load(in).code);
        std::ostringstream out;
        ASSERT_EQ(0, file.Save(out).code);
        EXPECT_TRUE(out.str() == bytes) << "file of " << bytes.size() << " bytes";
    }
}

TEST(FileKmw, FileEndingEarlyNamesTheFieldBeingRead)
{
    const std::string bytes = BuildKmw({{.codes = {1, 2, 3, 4, 5, 6, 7}}, {.codes = {8, 9, 10}}});
    ExpectTruncationLocations<FileKmw>(bytes, {{256, 2110}, {512, 3310}, {526, 3311}, {528, 3312}, {784, 3310}, {790, 3311}, {800, 3312}});
}

TEST(FileKmw, CountBeyondTheFileFailsBeforeReadingSamples)
{
    const struct {
        const char* countDigits;
        int32_t location;
    } rows[] = {{"99999", 3311}, {"45", 3311}, {"44", 3312}, {"40", 0}};
    for (const auto& row : rows) {
        std::string bytes = BuildKmw({{.countDigits = row.countDigits}});
        bytes.resize(600, '\0');
        const Result r = LoadKmw(bytes).result;
        EXPECT_EQ(row.location == 0 ? 0 : 52, r.code) << row.countDigits;
        EXPECT_EQ(row.location, r.location) << row.countDigits;
    }
}

TEST(FileKmw, StoredChannelReadsBackAsTheSameChannel)
{
    const KmwChannelSpec spec{.typeByte = 224, .firstSeconds = 1700000000, .codes = {1, 2, 3}};
    const Loaded loaded = LoadKmw(BuildKmw({spec}));
    ASSERT_EQ(0, loaded.result.code);
    orvel::test::ChannelBytes bytes;
    bytes.Raw(BuildKmwChannelHeader(spec), {3300, 3310})
        .Raw({1, 0, 2, 0, 3, 0}, {3301, 3311})
        .Raw(std::vector<uint8_t>(10, 0), {3302, 3312});
    EXPECT_EQ(bytes.Str(), orvel::test::Saved(*loaded.channels[0]));
    FileKmwCh channel;
    ASSERT_EQ(0, orvel::test::LoadInto(channel, bytes.Str()).code);
    orvel::test::ExpectSameChannel(*loaded.channels[0], channel);
    orvel::test::ExpectEveryCutNamesItsField<FileKmwCh>(bytes);
    orvel::test::ExpectEveryFullDeviceNamesItsField(channel, bytes);
}

TEST(FileKmw, KindKmwIsReadByTheKmwReader)
{
    const auto reader = CreateReader(kFileKmw);
    ASSERT_NE(nullptr, reader);
    EXPECT_EQ("FileKmw", reader->GetClassName());
    EXPECT_EQ("FileKmwChRawData", GChRawDataFactory::Instance().Create("FileKmwChRawData")->GetClassName());
}
