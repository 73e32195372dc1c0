#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "ReaderTestSupport.h"
#include "filelib/ChannelBytes.h"
#include "filelib/FileKmv.h"
#include "filelib/FileKmvCh.h"
#include "filelib/FileKmvChCumulative.h"
#include "fixtures/KmvBuilder.h"

// Row tables name only the fields a row changes; the others keep the builder's defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

using namespace OvGraphFileLib;
using namespace OvGraphFileLib::test;
using orvel::fixtures::BuildKmv;
using orvel::fixtures::BuildKmvChannelHeader;
using orvel::fixtures::KmvChannelSpec;

namespace {

constexpr size_t kHeaderSize = 256;  // the file header and every channel header

Loaded LoadKmv(const std::string& bytes) { return LoadWith<FileKmv>(bytes); }

// The file of one channel, with byte `offset` of its channel header replaced.
std::string OneChannelFile(const KmvChannelSpec& spec, std::optional<std::pair<size_t, uint8_t>> patch = {})
{
    std::string bytes = BuildKmv({spec});
    if (patch) bytes[kHeaderSize + patch->first] = char(patch->second);
    return bytes;
}

double FirstValue(const ICh& ch)
{
    return ch.GetRawData().at(0)->GetValue(0);
}

}  // namespace

TEST(FileKmv, ChannelHeaderGivesNameTimesAndCount)
{
    constexpr int64_t t0 = 1700000000000;
    const struct {
        const char* name;  // CP932 bytes
        uint32_t seconds;
        const char* intervalDigits;
        const char* countDigits;
        std::u16string chName;
        int64_t interval;
        int32_t count;
        int64_t first, last;
    } rows[] = {
        {"Room 1", 1700000000, "600", "3", u"Room 1", 600000, 3, t0, t0 + 1200000},
        {"\x89\xB7\x93\x78\xB1", 1700000000, "600", "1", u"温度ｱ", 600000, 1, t0, t0},
        {"A", 1700000000, "30s", "2", u"A", 30000, 2, t0, t0 + 30000},
        {"A", 1700000000, "00300", "2", u"A", 300000, 2, t0, t0 + 300000},
        {"A", 1700000000, "0", "2", u"A", 0, 2, t0, t0},
        {"A", 1700000000, "600", "abc", u"A", 600000, 0, -1, -1},
        {"A", 1700000000, "600", "2x", u"A", 600000, 2, t0, t0 + 600000},
        {"A", 0xF0000000, "1", "2", u"A", 1000, 2, 0xF0000000LL * 1000, 0xF0000000LL * 1000 + 1000},
    };
    for (const auto& row : rows) {
        const int count = std::atoi(row.countDigits);
        const KmvChannelSpec spec{.name = row.name,
                                  .firstSeconds = row.seconds,
                                  .intervalDigits = row.intervalDigits,
                                  .codes = std::vector<uint16_t>(size_t(count), 1215),
                                  .countDigits = row.countDigits};
        const Loaded loaded = LoadKmv(BuildKmv({spec}));
        ASSERT_EQ(0, loaded.result.code) << row.countDigits;
        ASSERT_EQ(1u, loaded.channels.size());
        const ICh& ch = *loaded.channels[0];
        EXPECT_EQ(row.chName, ch.GetChName());
        EXPECT_EQ(row.interval, ch.GetInterval()) << row.intervalDigits;
        EXPECT_EQ(row.count, ch.GetDataCount()) << row.countDigits;
        EXPECT_EQ(row.first, ch.GetFirstTime()) << row.countDigits;
        EXPECT_EQ(row.last, ch.GetLastTime()) << row.intervalDigits << " " << row.countDigits;
        EXPECT_EQ(row.count, ch.GetRawData().at(0)->GetCount());
    }
}

TEST(FileKmv, TypeByteGivesTypeAndDecimalPlaces)
{
    const struct {
        uint8_t typeByte;
        uint16_t type;
        int8_t decimals;
    } rows[] = {
        {13, 13, 1},   {14, 14, 1},   {65, 65, 1}, {67, 67, 2}, {73, 73, 2}, {85, 85, 3},
        {208, 209, 1}, {209, 209, 1}, {0, 0, 1},   {99, 0, 1},  {146, 0, 1}, {255, 0, 1},
    };
    for (const auto& row : rows) {
        const Loaded loaded = LoadKmv(BuildKmv({{.typeByte = row.typeByte, .codes = {1}}}));
        ASSERT_EQ(0, loaded.result.code);
        EXPECT_EQ(row.type, loaded.channels.at(0)->GetChType()) << int(row.typeByte);
        EXPECT_EQ(row.decimals, loaded.channels.at(0)->GetDecimalPlaces()) << int(row.typeByte);
        EXPECT_EQ(int32_t(row.type), loaded.channels.at(0)->GetRawData().at(0)->GetChType())
            << int(row.typeByte);
    }
}

TEST(FileKmv, EverySetPresenceBitIsOneChannelRecord)
{
    const struct {
        uint32_t word0;
        uint32_t word1;
        size_t records;
    } rows[] = {
        {0x00000005, 0x80000000, 3}, {0x1, 0x0, 1},  {0x0, 0x1, 1}, {0x0, 0x0, 0},
        {0x80000001, 0x3, 4},        {0xFF, 0x0, 8},
    };
    for (const auto& row : rows) {
        std::vector<KmvChannelSpec> channels;
        for (size_t i = 0; i < row.records; ++i)
            channels.push_back({.name = "Ch." + std::to_string(i + 1), .codes = {uint16_t(1000 + i)}});
        const Loaded loaded = LoadKmv(BuildKmv(channels, row.word0, row.word1));
        ASSERT_EQ(0, loaded.result.code) << row.word0 << " " << row.word1;
        ASSERT_EQ(row.records, loaded.channels.size()) << row.word0 << " " << row.word1;
        for (size_t i = 0; i < row.records; ++i) {
            const std::string name = "Ch." + std::to_string(i + 1);
            EXPECT_EQ(std::u16string(name.begin(), name.end()), loaded.channels[i]->GetChName());
            EXPECT_DOUBLE_EQ(double(i) / 10, FirstValue(*loaded.channels[i]));
        }
    }
}

TEST(FileKmv, SampleDataIsPaddedToSixteenBytes)
{
    const struct {
        size_t count;
        size_t padding;
    } rows[] = {{0, 0}, {1, 14}, {7, 2}, {8, 0}, {9, 14}, {15, 2}, {16, 0}};
    for (const auto& row : rows) {
        const KmvChannelSpec first{.name = "A", .codes = std::vector<uint16_t>(row.count, 1215)};
        const KmvChannelSpec second{.name = "B", .codes = {1100}};
        const std::string bytes = BuildKmv({first, second});
        ASSERT_EQ(kHeaderSize * 3 + row.count * 2 + row.padding + 16, bytes.size()) << row.count;
        const Loaded loaded = LoadKmv(bytes);
        ASSERT_EQ(0, loaded.result.code) << row.count;
        ASSERT_EQ(2u, loaded.channels.size());
        EXPECT_EQ(u"B", loaded.channels[1]->GetChName()) << row.count;
        EXPECT_DOUBLE_EQ(10.0, FirstValue(*loaded.channels[1])) << row.count;
    }
}

TEST(FileKmv, SampleCodesDecodeWithTheKmvInvalidRanges)
{
    const struct {
        uint8_t typeByte;
        uint16_t code;
        double value;
    } rows[] = {
        {13, 1215, 21.5},       {13, 900, -10.0},       {13, 31037, -273.0},    {13, 32766, -100.1},
        {13, 31000, 3000.0},    {13, 31001, kInvalid},  {13, 31036, kInvalid},  {13, 32767, kInvalid},
        {13, 0xEEEE, kInvalid}, {13, 0xFFFF, kInvalid}, {14, 1215, 70.7},       {14, 31037, kInvalid},
        {85, 39399, 1298.0},    {85, 39400, kInvalid},  {85, 0xEEEE, kInvalid}, {85, 0x1388, 1.808},
        {73, 0x1234, 11.28},    {73, 55885, 216000.0},  {73, 55886, kInvalid},  {73, 0xEEEE, kInvalid},
        {208, 1555, 55.5},      {209, 31001, kInvalid}, {65, 10132, 1013.2},    {65, 0xEEEE, kInvalid},
        {67, 1325, 513.25},     {67, 61153, kInvalid},  {99, 1234, 1234.0},     {99, 0xFFFF, 65535.0},
    };
    for (const auto& row : rows) {
        const Loaded loaded = LoadKmv(BuildKmv({{.typeByte = row.typeByte, .codes = {row.code}}}));
        ASSERT_EQ(0, loaded.result.code);
        const auto blocks = loaded.channels.at(0)->GetRawData();
        ASSERT_EQ(1u, blocks.size());
        EXPECT_EQ("FileKmvChRawData", blocks[0]->GetClassName());
        EXPECT_DOUBLE_EQ(row.value, blocks[0]->GetValue(0)) << int(row.typeByte) << " code " << row.code;
        double bulk = 0;
        blocks[0]->GetValues(0, 1, &bulk);
        EXPECT_DOUBLE_EQ(row.value, bulk) << int(row.typeByte) << " code " << row.code;
    }
}

TEST(FileKmv, LimitKindSelectsHowTheLimitCodesDecode)
{
    const struct {
        char kind;
        uint8_t typeByte;
        uint16_t upper;
        uint16_t lower;
        double upperValue;
        double lowerValue;
    } rows[] = {
        {'C', 13, 0x00FA, 0xFF9C, 25.0, -10.0},        {'C', 13, 0x8000, 0x8000, kNoUpper, kNoLower},
        {'C', 13, 0xFFFE, 0x8001, -0.2, -3276.7},      {'F', 14, 0x0320, 0x0000, 80.0, 0.0},
        {'H', 209, 0x0384, 0x8000, 90.0, kNoLower},    {'I', 73, 0x1234, 0xFFFE, 11.28, kNoLower},
        {'I', 73, 0xFFFE, 0x8000, kNoUpper, 0.0},      {'U', 85, 0x1388, 0x0000, 1.808, 0.0},
        {'U', 85, 0xFFFE, 0xFFFE, kNoUpper, kNoLower}, {0, 13, 0x00FA, 0x0064, kNoUpper, kNoLower},
        {'X', 13, 0x00FA, 0x0064, kNoUpper, kNoLower}, {'c', 13, 0x00FA, 0x0064, kNoUpper, kNoLower},
    };
    for (const auto& row : rows) {
        const KmvChannelSpec spec{.typeByte = row.typeByte,
                                  .codes = {1000},
                                  .limitKind = row.kind,
                                  .upperCode = row.upper,
                                  .lowerCode = row.lower};
        const Loaded loaded = LoadKmv(BuildKmv({spec}));
        ASSERT_EQ(0, loaded.result.code);
        EXPECT_DOUBLE_EQ(row.upperValue, loaded.channels.at(0)->GetUpperLimit()) << row.kind << row.upper;
        EXPECT_DOUBLE_EQ(row.lowerValue, loaded.channels.at(0)->GetLowerLimit()) << row.kind << row.lower;
    }
}

TEST(FileKmv, TimeZoneFieldsCountOnlyWhenByte119IsV)
{
    const struct {
        uint8_t mark;
        std::array<int16_t, 3> minutes;
        std::array<int64_t, 3> ms;  // time difference, standard bias, daylight bias
    } rows[] = {
        {'v', {-540, 0, -60}, {32400000, 0, 3600000}},
        {'v', {300, 300, -60}, {-18000000, -18000000, 3600000}},
        {'v', {-32768, 32767, 0}, {1966080000, -1966020000, 0}},
        {'V', {-540, 0, -60}, {kNotGiven, kNotGiven, kNotGiven}},
        {0, {-540, 0, -60}, {kNotGiven, kNotGiven, kNotGiven}},
    };
    for (const auto& row : rows) {
        const KmvChannelSpec spec{.codes = {1000}, .timeZoneMinutes = row.minutes};
        const Loaded loaded = LoadKmv(OneChannelFile(spec, std::pair<size_t, uint8_t>{119, row.mark}));
        ASSERT_EQ(0, loaded.result.code);
        const ICh& ch = *loaded.channels.at(0);
        EXPECT_EQ(row.ms, (std::array<int64_t, 3>{ch.GetTimeDiff(), ch.GetStdBias(), ch.GetDstBias()}))
            << row.mark << " " << row.minutes[0];
    }
}

TEST(FileKmv, SerialNumberCountsOnlyFromByte105Mark0xF1)
{
    const struct {
        uint8_t mark;
        uint32_t serial;
        uint32_t expected;
        std::u16string cumulativeName;
    } rows[] = {
        {0xF1, 0x5A123456, 0x5A123456, u"積算照度"},
        {0xFF, 0x00000001, 1, u"Cumulative Illuminance"},
        {0xF0, 0x5A123456, 0, u"Cumulative Illuminance"},
        {0x00, 0xE0000000, 0, u"Cumulative Illuminance"},
    };
    for (const auto& row : rows) {
        const KmvChannelSpec spec{
            .typeByte = 73, .codes = {1}, .serialNo = row.serial, .cumulative = {{0, 0}}};
        const Loaded loaded = LoadKmv(OneChannelFile(spec, std::pair<size_t, uint8_t>{105, row.mark}));
        ASSERT_EQ(0, loaded.result.code);
        ASSERT_EQ(2u, loaded.channels.size());
        EXPECT_EQ(row.expected, loaded.channels[0]->GetSerialNo()) << int(row.mark);
        EXPECT_EQ(row.expected, loaded.channels[1]->GetSerialNo()) << int(row.mark);
        EXPECT_EQ(row.cumulativeName, loaded.channels[1]->GetChName()) << int(row.mark);
    }
}

TEST(FileKmv, IlluminanceAndUvChannelsCarryOneCumulativeRecord)
{
    const struct {
        uint8_t typeByte;
        std::optional<uint32_t> serial;
        bool marked;  // byte 130 is 'v'
        uint16_t code;
        std::u16string name;  // empty: no cumulative channel
        uint16_t type;
        double value;  // the cumulative type's decoded code, not its rounded stored value
    } rows[] = {
        {73, 0x5A000001, true, 0x3ABC, u"積算照度", 329, 21984.0},
        {73, 0xE0000000, true, 0x3ABC, u"積算照度", 329, 21984.0},
        {73, 0x4FFFFFFF, true, 0x3ABC, u"Cumulative Illuminance", 329, 21984.0},
        {73, 0xF0000000, true, 0x0005, u"Cumulative Illuminance", 329, 5.0},
        {73, std::nullopt, true, 0x3ABC, u"Cumulative Illuminance", 329, 21984.0},
        {85, 0x51234567, true, 0xDABC, u"紫外線量", 341, 22.511616},
        {85, 0xEFFFFFFF, true, 0xDABC, u"紫外線量", 341, 22.511616},
        {85, 0x00000005, true, 0xDABC, u"Cumulative Amount of UV Light", 341, 22.511616},
        {73, 0x5A000001, false, 0x3ABC, u"", 0, 0},
        {85, 0x5A000001, false, 0x3ABC, u"", 0, 0},
        {13, 0x5A000001, true, 0x3ABC, u"", 0, 0},
        {208, 0x5A000001, true, 0x3ABC, u"", 0, 0},
    };
    for (const auto& row : rows) {
        KmvChannelSpec spec{.typeByte = row.typeByte,
                            .firstSeconds = 1700000000,
                            .codes = {0x1234, 0x1235},
                            .serialNo = row.serial,
                            .timeZoneMinutes = {{-540, 0, -60}}};
        if (row.marked) spec.cumulative = {{0xBEEF, row.code}};
        const Loaded loaded = LoadKmv(BuildKmv({spec}));
        ASSERT_EQ(0, loaded.result.code);
        ASSERT_EQ(row.name.empty() ? 1u : 2u, loaded.channels.size()) << int(row.typeByte) << row.marked;
        if (row.name.empty()) continue;
        const auto own = std::dynamic_pointer_cast<FileKmvCh>(loaded.channels[0]);
        ASSERT_TRUE(own);
        EXPECT_FALSE(own->Header().HasCumulative()) << "the channel's own copy still marks byte 130";

        const ICh& cumulative = *loaded.channels[1];
        EXPECT_EQ("FileKmvChCumulative", cumulative.GetClassName());
        EXPECT_EQ(row.name, cumulative.GetChName());
        EXPECT_EQ(row.type, cumulative.GetChType());
        EXPECT_EQ(row.serial.value_or(0), cumulative.GetSerialNo());
        EXPECT_EQ(-1, cumulative.GetInterval());
        EXPECT_EQ(1, cumulative.GetDataCount());
        EXPECT_EQ(1700000000000, cumulative.GetLastTime());
        EXPECT_EQ(32400000, cumulative.GetTimeDiff());
        EXPECT_EQ(0, cumulative.GetStdBias());
        EXPECT_EQ(3600000, cumulative.GetDstBias());
        const auto blocks = cumulative.GetRawData();
        ASSERT_EQ(1u, blocks.size());
        EXPECT_EQ("FileKmvChCumulativeRawData", blocks[0]->GetClassName());
        // First field widened to 32 bits, the first time in seconds, the cumulative code.
        const std::vector<uint8_t> record{
            0xEF, 0xBE, 0, 0, 0x00, 0xF1, 0x53, 0x65, uint8_t(row.code), uint8_t(row.code >> 8)};
        EXPECT_EQ(record, blocks[0]->GetData());
        EXPECT_EQ(1700000000000, blocks[0]->GetTime(0));
        EXPECT_DOUBLE_EQ(row.value, blocks[0]->GetValue(0));
    }
}

TEST(FileKmv, StoredChannelsDoNotYieldASecondCumulativeChannel)
{
    for (const uint8_t typeByte : {uint8_t(73), uint8_t(85)}) {
        const KmvChannelSpec spec{.typeByte = typeByte,
                                  .firstSeconds = 1700000000,
                                  .codes = {1, 2, 3},
                                  .serialNo = 0x5A000001,
                                  .cumulative = {{7, 0x1234}}};
        const Loaded loaded = LoadKmv(BuildKmv({spec}));
        ASSERT_EQ(2u, loaded.channels.size());

        // The channel as a graph document keeps it, read back as the only record of a kmv file.
        const std::string stored = std::string(1, '\x01') + std::string(kHeaderSize - 1, '\0') +
                                   orvel::test::Saved(*loaded.channels[0]);
        const Loaded again = LoadKmv(stored);
        ASSERT_EQ(0, again.result.code);
        ASSERT_EQ(1u, again.channels.size()) << int(typeByte);
        orvel::test::ExpectSameChannel(*loaded.channels[0], *again.channels[0]);

        // The cumulative channel stores its source header, a 32-bit record count and the records.
        const std::vector<uint8_t> record{7, 0, 0, 0, 0x00, 0xF1, 0x53, 0x65, 0x34, 0x12};
        orvel::test::ChannelBytes bytes;
        bytes.Raw(BuildKmvChannelHeader(spec), {3320, 3330})
            .Num(uint32_t(1), {3321, 3331})
            .Raw(record, {3322, 3332});
        EXPECT_EQ(bytes.Str(), orvel::test::Saved(*loaded.channels[1]));
        FileKmvChCumulative cumulative;
        ASSERT_EQ(0, orvel::test::LoadInto(cumulative, bytes.Str()).code);
        orvel::test::ExpectSameChannel(*loaded.channels[1], cumulative);
        orvel::test::ExpectEveryCutNamesItsField<FileKmvChCumulative>(bytes);
        orvel::test::ExpectEveryFullDeviceNamesItsField(cumulative, bytes);
    }
}

TEST(FileKmv, SavingWritesBackTheBytesItRead)
{
    KmvChannelSpec full{.name = "\x89\xB7\x93\x78",
                        .typeByte = 73,
                        .codes = {1, 2, 3},
                        .serialNo = 0x5A000001,
                        .limitKind = 'I',
                        .upperCode = 0x1234,
                        .lowerCode = 0xFFFE};
    full.timeZoneMinutes = {{-540, 0, -60}};
    full.cumulative = {{7, 0x1234}};
    std::string filler = BuildKmv({{.codes = {1, 2, 3, 4, 5, 6, 7}}, {.codes = {}}});
    // Header bytes the reader does not interpret, and the padding, are kept as read.
    for (size_t i = 8; i < kHeaderSize; ++i) filler[i] = char(i * 7);
    for (const size_t i : {0, 1, 40, 70, 80, 100, 112, 127, 140, 200, 255})
        filler[kHeaderSize + i] = char(0xA5);
    filler[kHeaderSize * 2 + 14] = char(0xAB);
    filler[kHeaderSize * 2 + 15] = char(0xCD);

    const std::string rows[] = {
        BuildKmv({{.codes = {}}}),
        BuildKmv({full}),
        BuildKmv({{.codes = std::vector<uint16_t>(8, 1)}, {.codes = std::vector<uint16_t>(15, 2)}, {}}, 5,
                 0x80000000),
        filler,
    };
    for (const std::string& bytes : rows) {
        FileKmv file;
        std::istringstream in(bytes);
        ASSERT_EQ(0, file.Load(in).code);
        std::ostringstream out;
        ASSERT_EQ(0, file.Save(out).code);
        EXPECT_TRUE(out.str() == bytes) << "file of " << bytes.size() << " bytes";
    }
}

TEST(FileKmv, FileEndingEarlyNamesTheFieldBeingRead)
{
    // Two channel records: 7 samples and 2 bytes of padding, then 3 samples and 10 bytes of padding.
    const std::string bytes =
        BuildKmv({{.name = "A", .codes = {1, 2, 3, 4, 5, 6, 7}}, {.name = "B", .codes = {8, 9, 10}}});
    ExpectTruncationLocations<FileKmv>(bytes, {{256, 2110}, {512, 3310}, {526, 3311}, {528, 3312}, {784, 3310}, {790, 3311}, {800, 3312}});
}

TEST(FileKmv, CountBeyondTheFileFailsBeforeReadingSamples)
{
    const struct {
        const char* countDigits;
        int32_t location;
    } rows[] = {{"99999", 3311}, {"45", 3311}, {"44", 3312}, {"40", 0}};
    for (const auto& row : rows) {
        std::string bytes = BuildKmv({{.countDigits = row.countDigits}});
        bytes.resize(600, '\0');  // 88 bytes after the channel header
        const Result r = LoadKmv(bytes).result;
        EXPECT_EQ(row.location == 0 ? 0 : 52, r.code) << row.countDigits;
        EXPECT_EQ(row.location, r.location) << row.countDigits;
    }
}
