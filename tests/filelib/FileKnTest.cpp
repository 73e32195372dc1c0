#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "Common/Library/OvChType.h"
#include "Common/Library/OvChTypeBase.h"
#include "filelib/ChannelBytes.h"
#include "filelib/FileKind.h"
#include "filelib/FileKn.h"
#include "filelib/FileKnChRawData.h"
#include "filelib/GCh.h"
#include "filelib/ReaderTestSupport.h"
#include "fixtures/KnBuilder.h"

// Row tables name only the fields a row changes; the others keep the builder's defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

using namespace OvGraphFileLib;
using namespace OvGraphFileLib::test;
using orvel::fixtures::BuildKn;
using orvel::fixtures::KnInputSpec;
using orvel::fixtures::KnSpec;

namespace {

constexpr int64_t kFirst = 1'780'239'600'000;  // 2026-06-01 00:00 in Japan
constexpr uint16_t kCelsius = 13;
constexpr uint16_t kVoltage = 146;
constexpr uint16_t kPulseCount = 333;  // a cumulative pulse count, 32-bit codes
constexpr uint16_t kNoData = 0xEEEE;

uint16_t Code(uint16_t chType, double value) { return orvel::detail::OvChTypeOf(chType).ValueToRaw(value); }

std::vector<double> Values(const ICh& channel)
{
    std::vector<double> values;
    for (const ChSample sample : GCh(channel)) values.push_back(sample.value);
    return values;
}

Loaded Load(const KnSpec& spec)
{
    const std::string bytes = BuildKn(spec);
    return spec.kn2 ? LoadWith<FileKn2>(bytes) : LoadWith<FileKn1>(bytes);
}

const std::vector<KnInputSpec> kOneInput = {{.input = 0, .chType = kCelsius, .codes = {100, 200}}};

}  // namespace

TEST(FileKn, HeaderChecksGiveCodeAtTheCommonLocation)
{
    const struct {
        const char* what;
        KnSpec spec;
        int32_t code;
    } rows[] = {
        {"kn1", {.inputs = kOneInput}, 0},
        {"kn2", {.kn2 = true, .inputs = kOneInput}, 0},
        {"kn2 magic read as kn1", {.magic = "QNS-7BK", .inputs = kOneInput}, 53},
        {"kn1 magic read as kn2", {.kn2 = true, .magic = "QNS-7A", .inputs = kOneInput}, 53},
        {"kn2 magic with its last byte set", {.kn2 = true, .magic = "QNS-7BKX", .inputs = kOneInput}, 53},
        {"wrong magic before a newer version", {.magic = "QNS-7B", .version = 2, .inputs = kOneInput}, 53},
        {"newer version before a bad count", {.version = 2, .inputs = kOneInput, .recordedInputs = 5}, 54},
        {"one wrong byte", {.magic = "QNS-7B", .inputs = kOneInput}, 53},
        {"space instead of zero", {.magic = "QNS-7A ", .inputs = kOneInput}, 53},
        {"lower case", {.magic = "qns-7a", .inputs = kOneInput}, 53},
        {"newer version", {.version = 2, .inputs = kOneInput}, 54},
        {"version 0", {.version = 0, .inputs = kOneInput}, 55},
        {"count above the table's", {.inputs = kOneInput, .recordedInputs = 2}, 55},
        {"count below the table's", {.inputs = kOneInput, .recordedInputs = 0}, 55},
        {"no recorded input", {.inputs = {}}, 55},
        {"interval 0", {.interval = 0, .inputs = kOneInput}, 55},
        {"first time before 1970", {.firstTime = -1, .inputs = kOneInput}, 55},
        {"last scan beyond 64-bit time", {.firstTime = INT64_MAX - 1000, .interval = 1001, .inputs = kOneInput}, 55},
        {"last scan at the end of 64-bit time", {.firstTime = INT64_MAX - 1000, .interval = 1000, .inputs = kOneInput}, 0},
    };
    for (const auto& row : rows) {
        const Result r = Load(row.spec).result;
        EXPECT_EQ(row.code, r.code) << row.what;
        EXPECT_EQ(row.code == 0 ? 0 : 9999, r.location) << row.what;
    }
}

TEST(FileKn, ShortHeaderFailsAndAPartialScanIsLeftOut)
{
    const KnSpec spec = {.inputs = {{.input = 0, .chType = kCelsius, .codes = {1, 2, 3}},
                                    {.input = 1, .chType = kCelsius, .codes = {4, 5, 6}}}};
    const std::string bytes = BuildKn(spec);
    ASSERT_EQ(1280u + 3 * 4, bytes.size());
    for (size_t cut = 0; cut < 1280; ++cut) {
        const Result r = LoadWith<FileKn1>(bytes.substr(0, cut)).result;
        ASSERT_EQ(52, r.code) << cut;
        ASSERT_EQ(9999, r.location) << cut;
    }
    // Every cut inside the data block loads the complete scans before it.
    for (size_t cut = 1280; cut <= bytes.size(); ++cut) {
        const Loaded loaded = LoadWith<FileKn1>(bytes.substr(0, cut));
        ASSERT_TRUE(loaded.result.Ok()) << cut;
        ASSERT_EQ(2u, loaded.channels.size());
        const int32_t scans = int32_t((cut - 1280) / 4);
        EXPECT_EQ(scans, loaded.channels[1]->GetDataCount()) << cut;
        EXPECT_EQ(scans == 0 ? -1 : 0, loaded.channels[1]->GetFirstTime()) << cut;
    }
}

TEST(FileKn, ChannelsComeFromTheSettingsTableInTableOrder)
{
    const KnSpec spec = {
        .serialNo = 0x7A001234,
        .loggerName = "Line 3",
        .firstTime = kFirst,
        .interval = 30'000,
        .timeDiffMinutes = 540,
        .inputs = {
            // Listed out of table order: the scans still take input 2 before input 5.
            {.input = 5, .name = "Oven", .chType = kCelsius, .decimalPlaces = 1, .upperLimit = 80.5,
             .codes = {Code(kCelsius, 21.5), kNoData, Code(kCelsius, -3.2)}},
            {.input = 2, .chType = kVoltage, .lowerLimit = -1.0, .codes = {1, 2, 3}},
        },
        .trailing = "\x01",
    };
    const Loaded loaded = Load(spec);
    ASSERT_TRUE(loaded.result.Ok()) << loaded.result.Message();
    ASSERT_EQ(2u, loaded.channels.size());
    const ICh& volts = *loaded.channels[0];
    const ICh& oven = *loaded.channels[1];

    EXPECT_EQ("FileKn1Ch", volts.GetClassName());
    EXPECT_EQ(u"Ch.3", volts.GetChName());  // an unnamed input is named by its position
    EXPECT_EQ(u"", volts.GetAuxText());  // the window shows an auxiliary text as the unit
    EXPECT_EQ(u"Oven", oven.GetChName());
    for (const ICh* ch : {&volts, &oven}) {
        EXPECT_EQ(u"QNS-7A", ch->GetModel());
        EXPECT_EQ(u"\n\n\n\n", ch->GetScaleExpr());
        EXPECT_EQ(0x7A001234u, ch->GetSerialNo());
        EXPECT_EQ(u"Line 3", ch->GetLoggerName());
        EXPECT_EQ(u"", ch->GetBaseName());
        EXPECT_EQ(540 * 60'000, ch->GetTimeDiff());
        EXPECT_EQ(kNotGiven, ch->GetStdBias());
        EXPECT_EQ(30'000, ch->GetInterval());
        EXPECT_EQ(3, ch->GetDataCount());
        EXPECT_EQ(kFirst, ch->GetFirstTime());
        EXPECT_EQ(kFirst + 60'000, ch->GetLastTime());
    }
    EXPECT_EQ(kVoltage, volts.GetChType());
    EXPECT_EQ(kCelsius, oven.GetChType());
    EXPECT_EQ(-1, volts.GetDecimalPlaces());
    EXPECT_EQ(1, oven.GetDecimalPlaces());
    EXPECT_EQ(kNoUpper, volts.GetUpperLimit());
    EXPECT_EQ(-1.0, volts.GetLowerLimit());
    EXPECT_EQ(80.5, oven.GetUpperLimit());
    EXPECT_EQ(kNoLower, oven.GetLowerLimit());

    const std::vector<double> ovenValues = Values(oven);
    ASSERT_EQ(3u, ovenValues.size());
    EXPECT_DOUBLE_EQ(21.5, ovenValues[0]);
    EXPECT_EQ(kInvalid, ovenValues[1]);
    EXPECT_DOUBLE_EQ(-3.2, ovenValues[2]);
    const auto& voltage = orvel::detail::OvChTypeOf(kVoltage);
    EXPECT_EQ((std::vector<double>{voltage.GetDataValue(1), voltage.GetDataValue(2), voltage.GetDataValue(3)}),
              Values(volts));
}

TEST(FileKn, HeaderAndTableFieldsAtTheirLimits)
{
    const std::string fullName(24, 'N');
    const std::string fullLogger(32, 'L');
    const struct {
        const char* what;
        KnSpec spec;
        int64_t timeDiff;
        std::u16string chName;
        double upper;
        double lower;
    } rows[] = {
        {"time difference not given", {.inputs = kOneInput}, kNotGiven, u"Ch.1", kNoUpper, kNoLower},
        {"west of UTC", {.timeDiffMinutes = -300, .inputs = kOneInput}, -300 * 60'000, u"Ch.1", kNoUpper, kNoLower},
        {"last input unnamed", {.timeDiffMinutes = 0, .inputs = {{.input = 15, .chType = kCelsius, .codes = {1}}}},
         0, u"Ch.16", kNoUpper, kNoLower},
        {"name filling its field", {.inputs = {{.input = 9, .name = fullName, .chType = kCelsius, .codes = {1}}}},
         kNotGiven, std::u16string(24, u'N'), kNoUpper, kNoLower},
        {"CP932 name", {.inputs = {{.input = 0, .name = "\x89\xB7\x93\x78", .chType = kCelsius, .codes = {1}}}},
         kNotGiven, u"温度", kNoUpper, kNoLower},
        {"limits that are not numbers",
         {.inputs = {{.input = 0, .chType = kCelsius, .upperLimit = std::numeric_limits<double>::infinity(),
                      .lowerLimit = std::numeric_limits<double>::quiet_NaN(), .codes = {1}}}},
         kNotGiven, u"Ch.1", kNoUpper, kNoLower},
    };
    for (const auto& row : rows) {
        KnSpec spec = row.spec;
        spec.loggerName = fullLogger;
        const Loaded loaded = Load(spec);
        ASSERT_TRUE(loaded.result.Ok()) << row.what;
        ASSERT_EQ(1u, loaded.channels.size()) << row.what;
        const ICh& ch = *loaded.channels[0];
        EXPECT_EQ(row.timeDiff, ch.GetTimeDiff()) << row.what;
        EXPECT_EQ(row.chName, ch.GetChName()) << row.what;
        EXPECT_EQ(std::u16string(32, u'L'), ch.GetLoggerName()) << row.what;
        EXPECT_EQ(row.upper, ch.GetUpperLimit()) << row.what;
        EXPECT_EQ(row.lower, ch.GetLowerLimit()) << row.what;
    }
}

TEST(FileKn, SampleWidthFollowsTheFormat)
{
    const std::vector<KnInputSpec> inputs = {
        {.input = 0, .chType = kPulseCount, .codes = {70'000, 5}},
        {.input = 1, .chType = kCelsius, .codes = {Code(kCelsius, 20.0), Code(kCelsius, 20.5)}},
    };
    // kn2 stores the 32-bit counts whole; kn1 has 16-bit samples only, which a 32-bit type cannot
    // decode.
    const Loaded kn2 = Load({.kn2 = true, .inputs = inputs});
    ASSERT_TRUE(kn2.result.Ok());
    ASSERT_EQ(2u, kn2.channels.size());
    EXPECT_EQ("FileKn2Ch", kn2.channels[0]->GetClassName());
    EXPECT_EQ(u"QNS-7BK", kn2.channels[0]->GetModel());
    const auto& pulses = orvel::detail::OvChTypeOf(kPulseCount);
    EXPECT_EQ((std::vector<double>{pulses.GetDataValue32(70'000), pulses.GetDataValue32(5)}), Values(*kn2.channels[0]));
    EXPECT_EQ((std::vector<double>{20.0, 20.5}), Values(*kn2.channels[1]));

    // A kn2 scan is 4 + 2 bytes: cuts inside the second scan keep the first.
    const std::string bytes = BuildKn({.kn2 = true, .inputs = inputs});
    ASSERT_EQ(1280u + 12, bytes.size());
    for (size_t cut = 1286; cut < bytes.size(); ++cut) {
        const Loaded partial = LoadWith<FileKn2>(bytes.substr(0, cut));
        ASSERT_TRUE(partial.result.Ok()) << cut;
        EXPECT_EQ((std::vector<double>{20.0}), Values(*partial.channels[1])) << cut;
    }

    const Loaded kn1 = Load({.inputs = inputs});
    ASSERT_TRUE(kn1.result.Ok());
    EXPECT_EQ((std::vector<double>{kInvalid, kInvalid}), Values(*kn1.channels[0]));
    EXPECT_EQ((std::vector<double>{20.0, 20.5}), Values(*kn1.channels[1]));
}

TEST(FileKn, AFileWithoutScansGivesEmptyChannels)
{
    const Loaded loaded = Load({.inputs = {{.input = 4, .chType = kCelsius}}});
    ASSERT_TRUE(loaded.result.Ok());
    ASSERT_EQ(1u, loaded.channels.size());
    EXPECT_EQ(0, loaded.channels[0]->GetDataCount());
    EXPECT_EQ(-1, loaded.channels[0]->GetFirstTime());
    EXPECT_EQ(-1, loaded.channels[0]->GetLastTime());
    EXPECT_TRUE(loaded.channels[0]->GetRawData().empty());
}

// The channels do not store themselves; the application's GCh copy does, and its blocks must come
// back as the same block class, decoding the same values.
TEST(FileKn, ChannelsAreStoredThroughTheirCopy)
{
    const struct {
        bool kn2;
        uint16_t chType;
        const char* blockClass;
    } rows[] = {{false, kCelsius, "FileKn1ChRawData"}, {true, kPulseCount, "FileKn2ChRawData"}};
    for (const auto& row : rows) {
        const Loaded loaded = Load({.kn2 = row.kn2, .inputs = {{.input = 0, .chType = row.chType, .codes = {1, 2, 3}}}});
        ASSERT_TRUE(loaded.result.Ok());
        const ICh& channel = *loaded.channels[0];
        const auto whatOf = [](auto&& operation) {
            try {
                operation();
            } catch (const std::logic_error& e) {
                return std::string(e.what());
            }
            return std::string();
        };
        std::ostringstream out;
        std::istringstream in("x");
        const auto fresh = channel.Clone();
        EXPECT_EQ("not impremented", whatOf([&] { channel.SaveImpl(out); }));
        EXPECT_EQ("not impremented", whatOf([&] { fresh->LoadImpl(in); }));

        const GCh copy(channel);
        GCh reloaded;
        ASSERT_TRUE(orvel::test::LoadInto(reloaded, orvel::test::Saved(copy)).Ok());
        orvel::test::ExpectSameChannel(copy, reloaded);
        EXPECT_EQ(row.blockClass, reloaded.GetRawData().at(0)->GetClassName());
        EXPECT_EQ(Values(channel), Values(reloaded));
    }
}

// A kn2 block decodes only records of its type's width.
TEST(FileKn, Kn2BlockOfAnotherWidthReadsAsInvalid)
{
    FileKn2ChRawData block;
    block.SetChType(kPulseCount);
    block.SetElementSize(2);
    block.SetCount(1);
    block.GetData() = {5, 0};
    EXPECT_EQ(kInvalid, block.GetValue(0));
    block.SetElementSize(4);
    block.GetData() = {5, 0, 0, 0};
    EXPECT_EQ(orvel::detail::OvChTypeOf(kPulseCount).GetDataValue32(5), block.GetValue(0));
}

TEST(FileKn, AFailedLoadLeavesNoChannels)
{
    FileKn1 file;
    EXPECT_TRUE(file.GetChList().empty());
    std::istringstream good(BuildKn({.inputs = kOneInput}));
    ASSERT_TRUE(file.Load(good).Ok());
    std::istringstream bad(BuildKn({.version = 2, .inputs = kOneInput}));
    EXPECT_EQ(54, file.Load(bad).code);
    EXPECT_TRUE(file.GetChList().empty());
}

TEST(FileKn, TheDispatcherOpensBothExtensions)
{
    const auto folder = std::filesystem::temp_directory_path() / "orvel-kn-test";
    std::filesystem::create_directories(folder);
    const struct {
        const char* name;
        bool kn2;
    } rows[] = {{"a.kn1", false}, {"b.KN2", true}};
    for (const auto& row : rows) {
        const auto path = folder / row.name;
        std::ofstream(path, std::ios::binary) << BuildKn({.kn2 = row.kn2, .inputs = kOneInput});
        const LoadedChannels loaded = LoadChannels(path);
        EXPECT_TRUE(loaded.result.Ok()) << row.name << ": " << loaded.result.Message();
        EXPECT_EQ(1u, loaded.channels.size()) << row.name;
    }
    std::filesystem::remove_all(folder);
}
