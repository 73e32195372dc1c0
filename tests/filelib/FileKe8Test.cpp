#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "ReaderTestSupport.h"
#include "filelib/ChannelBytes.h"
#include "filelib/FileKe8.h"
#include "filelib/FileKe8Ch.h"
#include "filelib/FileKe8ChRawData.h"
#include "filelib/FileKind.h"
#include "fixtures/Ke8Builder.h"

// Row tables name only the fields a row changes; the others keep the builder's defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

using namespace OvGraphFileLib;
using namespace OvGraphFileLib::test;
using orvel::fixtures::BuildKe8;
using orvel::fixtures::BuildKe8ChannelHeader;
using orvel::fixtures::Ke8ChannelSpec;

namespace {

constexpr size_t kFileHeaderSize = 128;
constexpr size_t kChannelHeaderSize = 256;

Loaded LoadKe8(const std::string& bytes) { return LoadWith<FileKe8>(bytes); }

// Runs the body with the computer's time zone set to the given TZ value, then restores it.
template <class F>
void WithTimeZone(const char* zone, F&& body)
{
    const char* old = std::getenv("TZ");
    const std::optional<std::string> saved = old ? std::optional<std::string>(old) : std::nullopt;
    setenv("TZ", zone, 1);
    tzset();
    body();
    if (saved)
        setenv("TZ", saved->c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
}

}  // namespace

TEST(FileKe8, MagicMustBeQxa41WithItsTrailingSpace)
{
    const struct {
        std::string magic;
        int32_t code;
        int32_t location;
    } rows[] = {
        {"QXA41 ", 0, 0},
        {std::string("QXA41\0", 6), 53, 2111},
        {"QXA41_", 53, 2111},
        {"qxa41 ", 53, 2111},
        {"QXA42 ", 53, 2111},
        {" QXA41", 53, 2111},
        {std::string(6, '\0'), 53, 2111},
    };
    for (const auto& row : rows) {
        std::string bytes = BuildKe8({{.codes = {1215}}});
        bytes.replace(0, 6, row.magic);
        const Result r = LoadKe8(bytes).result;
        EXPECT_EQ(row.code, r.code) << row.magic;
        EXPECT_EQ(row.location, r.location) << row.magic;
    }
}

TEST(FileKe8, ChannelHeaderGivesNameIntervalTimesAndCount)
{
    constexpr int64_t t0 = 1700000000000;
    const struct {
        const char* name;  // CP932 bytes
        bool ms;
        uint32_t interval;
        uint32_t start;
        uint32_t offset;
        size_t count;
        std::u16string chName;
        int64_t intervalMs;
        int64_t first, last;
    } rows[] = {
        {"Room 1", false, 500, 1700000000, 0, 3, u"Room 1", 500000, t0, t0 + 1000000},
        {"Room 1", true, 500, 1700000000, 0, 3, u"Room 1", 500, t0, t0 + 1000},
        {"\x89\xB7\x93\x78", false, 60, 1700000000, 30, 2, u"温度", 60000, t0 + 30000, t0 + 90000},
        {"A", false, 60, 1700000000, 0, 1, u"A", 60000, t0, t0},
        {"A", false, 60, 1700000000, 0, 0, u"A", 60000, -1, -1},
        {"A", true, 0, 1700000000, 0, 4, u"A", 0, t0, t0},
        {"A", false, 0xFFFFFFFF, 1700000000, 0xFFFFFFFF, 2, u"A", 0xFFFFFFFFLL * 1000,
         (1700000000LL + 0xFFFFFFFFLL) * 1000, (1700000000LL + 0xFFFFFFFFLL) * 1000 + 0xFFFFFFFFLL * 1000},
    };
    for (const auto& row : rows) {
        const Ke8ChannelSpec spec{.name = row.name,
                                  .intervalInMs = row.ms,
                                  .interval = row.interval,
                                  .offsetSeconds = row.offset,
                                  .startSeconds = row.start,
                                  .codes = std::vector<uint16_t>(row.count, 1215)};
        const Loaded loaded = LoadKe8(BuildKe8({spec}));
        ASSERT_EQ(0, loaded.result.code);
        ASSERT_EQ(1u, loaded.channels.size());
        const ICh& ch = *loaded.channels[0];
        EXPECT_EQ("FileKe8Ch", ch.GetClassName());
        EXPECT_EQ(row.chName, ch.GetChName());
        EXPECT_EQ(row.intervalMs, ch.GetInterval()) << row.interval << " ms " << row.ms;
        EXPECT_EQ(int32_t(row.count), ch.GetDataCount());
        EXPECT_EQ(row.first, ch.GetFirstTime()) << row.count;
        EXPECT_EQ(row.last, ch.GetLastTime()) << row.count;
        EXPECT_EQ(int32_t(row.count), ch.GetRawData().at(0)->GetCount());
        EXPECT_EQ(row.first, ch.GetRawData().at(0)->GetFirstTime());
        EXPECT_EQ(row.intervalMs, ch.GetRawData().at(0)->GetInterval());
    }
}

TEST(FileKe8, ChannelsCarryNoLimitsTimeZoneOrSerialNumber)
{
    const Loaded loaded = LoadKe8(BuildKe8({{.codes = {1215}, .auxText = "Probe A7"}}));
    ASSERT_EQ(0, loaded.result.code);
    const ICh& ch = *loaded.channels.at(0);
    EXPECT_EQ(kNoUpper, ch.GetUpperLimit());
    EXPECT_EQ(kNoLower, ch.GetLowerLimit());
    EXPECT_EQ(kNotGiven, ch.GetTimeDiff());
    EXPECT_EQ(kNotGiven, ch.GetStdBias());
    EXPECT_EQ(kNotGiven, ch.GetDstBias());
    EXPECT_EQ(0u, ch.GetSerialNo());
    EXPECT_EQ(0, ch.GetRecordProp());
    EXPECT_EQ(u"Probe A7", ch.GetAuxText());
}

TEST(FileKe8, AsciiStartDateIsLocalTimeUnlessUnixSecondsAreGiven)
{
    const struct {
        const char* zone;
        std::string digits;
        uint32_t unixSeconds;
        uint32_t offset;
        int64_t first;
    } rows[] = {
        {"UTC0", "20240102030405", 0, 0, 1704164645000},
        {"UTC0", "20240102030405", 0, 15, 1704164660000},
        {"JST-9", "20240102030405", 0, 0, 1704164645000 - 9 * 3600000},
        {"UTC0", "20240102030405", 1700000000, 0, 1700000000000},
        {"JST-9", "20240102030405", 1700000000, 10, 1700000010000},
        {"UTC0", "2024010203040x", 0, 20, 20000},
        {"UTC0", "20241302030405", 0, 0, 0},
        {"UTC0", "20240229030405", 0, 0, 1709175845000},  // a leap day
        {"UTC0", "20230229030405", 0, 0, 0},              // no leap day that year
        {"JST-9", "20240431030405", 0, 0, 0},             // April has 30 days
        {"UTC0", "", 0, 0, 0},
    };
    for (const auto& row : rows) {
        WithTimeZone(row.zone, [&] {
            const Loaded loaded = LoadKe8(BuildKe8(
                {{.startDigits = row.digits, .offsetSeconds = row.offset, .startSeconds = row.unixSeconds, .codes = {1}}}));
            ASSERT_EQ(0, loaded.result.code);
            EXPECT_EQ(row.first, loaded.channels.at(0)->GetFirstTime()) << row.zone << " " << row.digits;
        });
    }
}

TEST(FileKe8, KindGivesTypeAndDecimalPlaces)
{
    const struct {
        uint8_t kind;
        uint16_t type;
        int8_t plain;   // decimals without a scale conversion
        int8_t scaled;  // decimals with one
    } rows[] = {
        {0, 384, 3, 3},    {1, 384, 3, 3},    {2, 352, 0, 3},   {3, 352, 0, 3},   {4, 0, 1, 1},
        {5, 13, 1, 1},     {6, 209, 1, 1},    {7, 416, 1, 1},   {8, 0, 1, 1},     {10, 129, 2, 2},
        {11, 146, 4, 4},   {12, 78, 0, 3},    {13, 77, 0, 3},   {26, 65, 1, 1},   {27, 1002, 1, 1},
        {28, 1003, 1, 1},  {29, 1001, 0, 3},  {30, 73, 2, 2},   {31, 85, 3, 3},   {32, 66, 0, 0},
        {33, 0, 1, 1},     {255, 0, 1, 1},
    };
    for (const auto& row : rows) {
        for (const bool scaled : {false, true}) {
            const Ke8ChannelSpec spec{.kind = row.kind, .codes = {1}, .scaleFactor = scaled ? 2.0 : 0.0};
            const Loaded loaded = LoadKe8(BuildKe8({spec}));
            ASSERT_EQ(0, loaded.result.code);
            const ICh& ch = *loaded.channels.at(0);
            EXPECT_EQ(row.type, ch.GetChType()) << int(row.kind);
            EXPECT_EQ(scaled ? row.scaled : row.plain, ch.GetDecimalPlaces()) << int(row.kind) << " " << scaled;
            EXPECT_EQ(int32_t(row.type), ch.GetRawData().at(0)->GetChType()) << int(row.kind);
        }
    }
}

TEST(FileKe8, ScaleConversionIsSetByAFactorOtherThanOneOrAnOffsetOtherThanZero)
{
    const struct {
        double factor;
        double offset;
        int8_t decimals;
    } rows[] = {
        {0.0, 0.0, 0},  // not stored
        {1.0, 0.0, 0},  {1.0, 0.5, 3}, {2.0, 0.0, 3},  {0.0, -1.0, 3}, {1.0, -0.0, 0},
        {std::numeric_limits<double>::quiet_NaN(), 0.0, 0},
        {1.0, std::numeric_limits<double>::infinity(), 0},
    };
    for (const auto& row : rows) {
        const Ke8ChannelSpec spec{.kind = 12, .codes = {1}, .scaleFactor = row.factor, .scaleOffset = row.offset};
        const Loaded loaded = LoadKe8(BuildKe8({spec}));
        ASSERT_EQ(0, loaded.result.code);
        EXPECT_EQ(row.decimals, loaded.channels.at(0)->GetDecimalPlaces()) << row.factor << " " << row.offset;
    }
}

TEST(FileKe8, RunCodesOfKinds27To29StandForSeveralRecords)
{
    const struct {
        uint8_t kind;
        std::vector<uint16_t> codes;
        int32_t count;
        std::vector<uint16_t> records;  // the block's codes
    } rows[] = {
        {29, {5, 0xF00A, 7}, 12, {5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 7}},
        {27, {5, 0xF00A, 7}, 12, {5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 7}},
        {28, {0xF002, 9}, 3, {0, 0, 9}},
        {29, {0xF000, 0xFFF0, 0xFFFF}, 3, {0xF000, 0xFFF0, 0xFFFF}},
        {29, {0xF001}, 1, {0}},
        {29, {0xF000 | 0x0FEF, 1}, 4080, {}},
        {29, {0xF100}, 256, {}},
        {29, {0xF000 + 0x1000 - 0x1000}, 1, {0xF000}},
        {29, {}, 0, {}},
        {26, {5, 0xF00A, 7}, 3, {5, 0xF00A, 7}},
        {30, {0xF00A}, 1, {0xF00A}},
    };
    for (const auto& row : rows) {
        const Ke8ChannelSpec spec{.kind = row.kind, .interval = 60, .startSeconds = 1000, .codes = row.codes};
        const Loaded loaded = LoadKe8(BuildKe8({spec}));
        ASSERT_EQ(0, loaded.result.code);
        const ICh& ch = *loaded.channels.at(0);
        EXPECT_EQ(row.count, ch.GetDataCount()) << int(row.kind) << " " << row.codes.size();
        EXPECT_EQ(row.count < 1 ? -1 : 1000000 + (row.count - 1) * 60000LL, ch.GetLastTime());
        const auto block = ch.GetRawData().at(0);
        EXPECT_EQ(row.count, block->GetCount());
        ASSERT_EQ(size_t(row.count) * 2, block->GetData().size());
        if (!row.records.empty()) {
            std::vector<uint8_t> expected;
            for (const uint16_t c : row.records) expected.insert(expected.end(), {uint8_t(c), uint8_t(c >> 8)});
            EXPECT_EQ(expected, block->GetData()) << int(row.kind);
        }
    }
}

TEST(FileKe8, SampleCodesDecodeThroughTheTypeAndTheScaleConversion)
{
    const struct {
        uint8_t kind;
        double factor;
        double offset;
        uint16_t code;
        double value;
    } rows[] = {
        {5, 0, 0, 1215, 21.5},          {5, 0, 0, 900, -10.0},          {5, 0, 0, 0xEEEE, kInvalid},
        {5, 2, 1, 1215, 44.0},          {0, 0, 0, 1500, 1.5},           {0, 0, 0, 0x4000 | 1500, -1.5},
        {0, 0, 0, 0x8000, kInvalid},    {0, 10, 0, 1500, 15.0},         {2, 0, 0, 100, 100.0},
        {2, 0.5, 1, 100, 51.0},         {2, 0.5, 1, 0x8000, kInvalid},  {12, 0, 0, 61439, 61439.0},
        {12, 0, 0, 61440, kInvalid},    {11, 0, 0, 0x8FFF, -0.1},       {11, 0, 0, 0xF005, kInvalid},
        {29, 0.001, 0, 1500, 1.5},      {29, 0, 0, 0xF000, kInvalid},   {29, 0, 2, 0xF003, 2.0},
        {30, 0, 0, 0x1234, 11.28},      {99, 0, 0, 0xFFFF, 65535.0},    {99, 0, 0.5, 7, 7.5},
    };
    for (const auto& row : rows) {
        const Ke8ChannelSpec spec{.kind = row.kind, .codes = {row.code}, .scaleFactor = row.factor, .scaleOffset = row.offset};
        const Loaded loaded = LoadKe8(BuildKe8({spec}));
        ASSERT_EQ(0, loaded.result.code);
        const auto blocks = loaded.channels.at(0)->GetRawData();
        ASSERT_EQ(1u, blocks.size());
        EXPECT_EQ("FileKe8ChRawData", blocks[0]->GetClassName());
        ASSERT_LE(1, blocks[0]->GetCount());
        EXPECT_DOUBLE_EQ(row.value, blocks[0]->GetValue(0)) << int(row.kind) << " code " << row.code;
    }
}

TEST(FileKe8, EverySetPresenceBitIsOneChannelRecord)
{
    const struct {
        uint32_t word0, word1;
        size_t records;
    } rows[] = {{0x5, 0x80000000, 3}, {0x0, 0x1, 1}, {0x0, 0x0, 0}, {0x80000001, 0x3, 4}};
    for (const auto& row : rows) {
        std::vector<Ke8ChannelSpec> channels;
        for (size_t i = 0; i < row.records; ++i)
            channels.push_back({.name = "Ch." + std::to_string(i + 1), .codes = {uint16_t(1000 + i)}});
        const Loaded loaded = LoadKe8(BuildKe8(channels, row.word0, row.word1));
        ASSERT_EQ(0, loaded.result.code);
        ASSERT_EQ(row.records, loaded.channels.size());
        for (size_t i = 0; i < row.records; ++i) {
            const std::string name = "Ch." + std::to_string(i + 1);
            EXPECT_EQ(std::u16string(name.begin(), name.end()), loaded.channels[i]->GetChName());
            EXPECT_DOUBLE_EQ(double(i) / 10, loaded.channels[i]->GetRawData().at(0)->GetValue(0));
        }
    }
}

TEST(FileKe8, SavingWritesBackTheBytesItRead)
{
    std::string filler = BuildKe8({{.kind = 29, .codes = {5, 0xF00A, 7}}, {.codes = {}}, {.kind = 2, .codes = {1}}});
    // Header bytes the reader does not interpret, and the padding, are kept as read.
    for (size_t i = 14; i < kFileHeaderSize; ++i) filler[i] = char(i * 7);
    for (const size_t i : {0, 5, 50, 100, 130, 200, 250})
        filler[kFileHeaderSize + i] = char(0xA5);
    filler[kFileHeaderSize + kChannelHeaderSize + 15] = char(0xCD);

    const std::string rows[] = {
        BuildKe8({}),
        BuildKe8({{.codes = {}}}),
        BuildKe8({{.name = "\x89\xB7\x93\x78", .kind = 0, .codes = {1, 2, 3}, .auxText = "x", .scaleFactor = 2.5}}),
        BuildKe8({{.codes = std::vector<uint16_t>(8, 1)}, {.codes = std::vector<uint16_t>(15, 2)}, {}}, 5, 0x80000000),
        filler,
    };
    for (const std::string& bytes : rows) {
        FileKe8 file;
        std::istringstream in(bytes);
        ASSERT_EQ(0, file.Load(in).code);
        std::ostringstream out;
        ASSERT_EQ(0, file.Save(out).code);
        EXPECT_TRUE(out.str() == bytes) << "file of " << bytes.size() << " bytes";
    }
}

TEST(FileKe8, FullDeviceNamesTheFieldBeingWritten)
{
    const std::string bytes = BuildKe8({{.codes = {1, 2, 3}}});
    FileKe8 file;
    std::istringstream in(bytes);
    ASSERT_EQ(0, file.Load(in).code);
    const struct {
        size_t end;
        int32_t location;
    } fields[] = {{128, 2100}, {384, 2200}, {390, 2201}, {400, 2202}};
    ASSERT_EQ(400u, bytes.size());
    for (size_t limit = 0; limit < bytes.size(); ++limit) {
        const auto field =
            std::find_if(std::begin(fields), std::end(fields), [limit](const auto& f) { return limit < f.end; });
        orvel::test::LimitedBuf device(limit);
        std::ostream out(&device);
        const Result r = file.Save(out);
        EXPECT_EQ(51, r.code) << "limit " << limit;
        EXPECT_EQ(field->location, r.location) << "limit " << limit;
    }
}

TEST(FileKe8, FileEndingEarlyNamesTheFieldBeingRead)
{
    // Two channel records: 7 samples and 2 bytes of padding, then 3 samples and 10 bytes of padding.
    const std::string bytes = BuildKe8({{.name = "A", .codes = {1, 2, 3, 4, 5, 6, 7}}, {.name = "B", .codes = {8, 9, 10}}});
    ExpectTruncationLocations<FileKe8>(
        bytes, {{128, 2110}, {384, 2210}, {398, 2310}, {400, 2311}, {656, 2210}, {662, 2310}, {672, 2311}});
}

TEST(FileKe8, CountBeyondTheFileFailsBeforeReadingSamples)
{
    const struct {
        uint32_t count;
        int32_t code;
        int32_t location;
    } rows[] = {{0xFFFFFFFF, 52, 2310}, {0x80000000, 52, 2310}, {45, 52, 2310}, {44, 52, 2311}, {40, 0, 0}};
    for (const auto& row : rows) {
        std::string bytes = BuildKe8({{.storedCount = row.count}});
        bytes.resize(kFileHeaderSize + kChannelHeaderSize + 88, '\0');
        const Result r = LoadKe8(bytes).result;
        EXPECT_EQ(row.code, r.code) << row.count;
        EXPECT_EQ(row.location, r.location) << row.count;
    }
}

TEST(FileKe8, StoredChannelReadsBackAsTheSameChannel)
{
    const Ke8ChannelSpec spec{.name = "V1",
                              .kind = 29,
                              .interval = 10,
                              .startSeconds = 1700000000,
                              .codes = {5, 0xF00A, 7},
                              .auxText = "aux",
                              .scaleFactor = 0.5};
    const Loaded loaded = LoadKe8(BuildKe8({spec}));
    ASSERT_EQ(0, loaded.result.code);
    const std::vector<uint8_t> samples{5, 0, 0x0A, 0xF0, 7, 0};
    orvel::test::ChannelBytes bytes;
    bytes.Raw(BuildKe8ChannelHeader(spec), {2200, 2210})
        .Raw(samples, {2201, 2310})
        .Raw(std::vector<uint8_t>(10, 0), {2202, 2311});
    EXPECT_EQ(bytes.Str(), orvel::test::Saved(*loaded.channels[0]));
    FileKe8Ch channel;
    ASSERT_EQ(0, orvel::test::LoadInto(channel, bytes.Str()).code);
    orvel::test::ExpectSameChannel(*loaded.channels[0], channel);
    orvel::test::ExpectEveryCutNamesItsField<FileKe8Ch>(bytes);
    orvel::test::ExpectEveryFullDeviceNamesItsField(channel, bytes);
}

TEST(FileKe8, RawDataStoresItsScaleConversionAfterTheCommonFields)
{
    const orvel::test::BlockFields fields{"FileKe8ChRawData", 352, 1000, 3000, 0, 0, 1000, 3,
                                          2, orvel::test::Codes16({10, 20, 0x8000})};
    orvel::test::ChannelBytes bytes;
    orvel::test::AppendBlock(bytes, fields).Num(0.5, {2400, 2410}).Num(-2.0, {2401, 2411});
    FileKe8ChRawData block;
    ASSERT_EQ(0, orvel::test::LoadInto(block, bytes.Str()).code);
    EXPECT_EQ(0.5, block.GetScaleFactor());
    EXPECT_EQ(-2.0, block.GetScaleOffset());
    EXPECT_DOUBLE_EQ(3.0, block.GetValue(0));
    EXPECT_DOUBLE_EQ(8.0, block.GetValue(1));
    EXPECT_EQ(kInvalid, block.GetValue(2));
    EXPECT_EQ(bytes.Str(), orvel::test::Saved(block));
    orvel::test::ExpectEveryCutNamesItsField<FileKe8ChRawData>(bytes);
    orvel::test::ExpectEveryFullDeviceNamesItsField(block, bytes);
    // The factory creates the class for graph documents that carry it.
    EXPECT_EQ("FileKe8ChRawData", GChRawDataFactory::Instance().Create("FileKe8ChRawData")->GetClassName());
}

TEST(FileKe8, KindsKe8KejAndKadAreReadByTheKe8Reader)
{
    for (const uint32_t kind : {kFileKe8, kFileKej, kFileKad}) {
        const auto reader = CreateReader(kind);
        ASSERT_NE(nullptr, reader) << kind;
        EXPECT_EQ("FileKe8", reader->GetClassName());
    }
}
