#include <gtest/gtest.h>

#include <pugixml.hpp>

#include <chrono>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "filelib/Base64.h"
#include "filelib/ChConstants.h"
#include "filelib/ChannelBytes.h"
#include "filelib/FileKmq.h"
#include "filelib/FileKmqCh.h"
#include "filelib/KmqElements.h"
#include "fixtures/KmqBuilder.h"

// Row tables name only the fields a row changes; the others keep the builder's defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

using namespace OvGraphFileLib;
using orvel::fixtures::BuildKmq;
using orvel::fixtures::EncodeBase64;
using orvel::fixtures::KmqChannelSpec;
using orvel::fixtures::KmqSpec;
namespace fx = orvel::fixtures;

namespace {

using Elements = std::vector<std::pair<std::string, std::optional<std::string>>>;

constexpr double kInvalid = INVALID_VALUE;
constexpr double kNoUpper = NO_UPPER_LIMIT;
constexpr double kNoLower = NO_LOWER_LIMIT;
constexpr int64_t kNotGiven = NOT_GIVEN;

struct Loaded {
    Result result;
    ChList channels;
};

Loaded LoadKmq(const std::string& document)
{
    FileKmq file;
    std::istringstream in(document);
    Loaded loaded{file.Load(in), {}};
    if (loaded.result.Ok()) loaded.channels = file.GetChList();
    return loaded;
}

// The only channel of a document with one `ch` element.
std::shared_ptr<ICh> LoadOne(const Elements& elements, std::optional<std::vector<uint8_t>> records = {},
                             std::string version = "1.10")
{
    KmqSpec spec{.version = version, .channels = {{elements, records}}};
    const Loaded loaded = LoadKmq(BuildKmq(spec));
    EXPECT_EQ(0, loaded.result.code) << loaded.result.where;
    EXPECT_EQ(1u, loaded.channels.size());
    return loaded.channels.empty() ? nullptr : loaded.channels[0];
}

std::vector<double> ValuesOf(const ICh& ch)
{
    std::vector<double> values;
    const auto block = ch.GetRawData().at(0);
    for (int32_t i = 0; i < block->GetCount(); ++i) values.push_back(block->GetValue(i));
    return values;
}

}  // namespace

TEST(FileKmq, DocumentHeaderDecidesWhetherTheFileLoads)
{
    auto document = [](std::optional<std::string> format, std::optional<std::string> version,
                       std::optional<std::string> sample, Elements ch = {{"type", "13"}, {"count", "1"}}) {
        return BuildKmq(
            {.format = format, .version = version, .sample = sample, .channels = {{ch, {{1, 2}}}}});
    };
    const struct {
        const char* what;
        std::string document;
        int32_t code;
        int32_t location;
    } rows[] = {
        {"1.00 without sample", document("kmq", "1.00", std::nullopt), 0, 0},
        {"1.00 ignores the sample kind", document("kmq", "1.00", "bogus"), 0, 0},
        {"1.10 recorded data", document("kmq", "1.10", "recorded_data"), 0, 0},
        {"1.10 current readings", document("kmq", "1.10", "current_readings"), 0, 0},
        {"1.20 recorded data", document("kmq", "1.20", "recorded_data"), 0, 0},
        {"1.10 without sample", document("kmq", "1.10", std::nullopt), 55, 8004},
        {"1.10 unknown sample", document("kmq", "1.10", "recorded"), 55, 8004},
        {"1.20 empty sample", document("kmq", "1.20", ""), 55, 8004},
        {"no format", document(std::nullopt, "1.10", "recorded_data"), 53, 8000},
        {"no format, no version", document(std::nullopt, std::nullopt, "recorded_data"), 53, 8000},
        {"no version", document("kmq", std::nullopt, "recorded_data"), 53, 8001},
        {"another root", "<?xml version=\"1.0\"?><data format=\"kmq\" version=\"1.10\"/>", 53, 8000},
        {"empty stream", "", 52, 8060},
        {"count beyond the file",
         document("kmq", "1.10", "recorded_data", {{"type", "13"}, {"count", "100000"}}), 55, 8020},
    };
    for (const auto& row : rows) {
        const Loaded loaded = LoadKmq(row.document);
        EXPECT_EQ(row.code, loaded.result.code) << row.what;
        EXPECT_EQ(row.location, loaded.result.location) << row.what;
        if (row.code == 0) {
            ASSERT_EQ(1u, loaded.channels.size()) << row.what;
            EXPECT_DOUBLE_EQ(-48.7, ValuesOf(*loaded.channels[0]).at(0)) << row.what;  // code 0x0201
        }
    }
}

TEST(FileKmq, VersionSelectsTheElementSet)
{
    const struct {
        const char* version;
        bool nameRead;
        bool sampleRead;
        bool baseModelRead;
    } rows[] = {{"1.00", false, false, false}, {"1.10", false, true, false}, {"1.20", true, true, true}};
    for (const auto& row : rows) {
        const std::string xml =
            BuildKmq({.version = row.version, .name = "Export", .base = {{"model", "M-100"}}});
        pugi::xml_document document;
        ASSERT_TRUE(document.load_string(xml.c_str()));
        kmq::Sr_file file;
        file.Load(document.child("file"));
        EXPECT_EQ(row.nameRead, file.name.has_value()) << row.version;
        EXPECT_EQ(row.sampleRead, file.sample.has_value()) << row.version;
        ASSERT_TRUE(file.base) << row.version;
        EXPECT_EQ(row.baseModelRead, file.base->model.present) << row.version;
        EXPECT_EQ(row.baseModelRead ? "M-100" : "", file.base->model.value) << row.version;
    }
}

TEST(FileKmq, IdentificationComesFromChannelAndBase)
{
    const struct {
        Elements ch;
        uint32_t serial;
        std::u16string model;
        std::u16string loggerName;
        std::u16string chName;
    } rows[] = {
        {{{"num", "2"}, {"serial", "0x5A0000FF"}, {"model", "M-100"}, {"name", "Logger"}},
         0x5A0000FF,
         u"M-100",
         u"Logger",
         u"Ch.2"},
        {{{"serial", "123456"}, {"name", "倉庫"}}, 123456, u"", u"倉庫", u"倉庫"},
        {{{"num", "-1"}, {"serial", "0X1f"}}, 31, u"", u"", u"Ch.-1"},
        {{{"num", std::nullopt}, {"serial", "010"}, {"name", "Shelf"}}, 10, u"", u"Shelf", u"Shelf"},
        {{}, 0, u"", u"", u""},
    };
    for (const auto& row : rows) {
        const auto ch = LoadOne(row.ch);
        ASSERT_TRUE(ch);
        EXPECT_EQ(row.serial, ch->GetSerialNo());
        EXPECT_EQ(row.model, ch->GetModel());
        EXPECT_EQ(u"Base", ch->GetBaseName());
        EXPECT_EQ(row.loggerName, ch->GetLoggerName());
        EXPECT_EQ(row.chName, ch->GetChName());
    }
}

TEST(FileKmq, TimeZoneElementsAreMinutes)
{
    const struct {
        Elements ch;
        int64_t timeDiff, stdBias, dstBias;
    } rows[] = {
        {{{"time_diff", "540"}, {"std_bias", "0"}, {"dst_bias", "-60"}}, 32400000, 0, -3600000},
        {{{"time_diff", "-300"}, {"std_bias", "300"}, {"dst_bias", "0"}}, -18000000, 18000000, 0},
        {{{"time_diff", "540"}}, 32400000, kNotGiven, kNotGiven},
        {{}, kNotGiven, kNotGiven, kNotGiven},
    };
    for (const auto& row : rows) {
        const auto ch = LoadOne(row.ch);
        ASSERT_TRUE(ch);
        EXPECT_EQ(row.timeDiff, ch->GetTimeDiff());
        EXPECT_EQ(row.stdBias, ch->GetStdBias());
        EXPECT_EQ(row.dstBias, ch->GetDstBias());
    }
}

TEST(FileKmq, RecordTimesFollowIntervalOrTheRecordsOwnTimes)
{
    constexpr int64_t t0 = 1700000000000;
    const std::vector<uint8_t> codes = fx::Codes16({1, 2, 3});
    const std::vector<uint8_t> timed = fx::TimedCodes({{1700000000, 1}, {1700000600, 2}, {1700003600, 3}});
    const std::vector<int64_t> own{t0, t0 + 600000, t0 + 3600000};
    const std::optional<std::string> empty;  // an empty `interval` element
    const struct {
        const char* type;
        const char* unixTime;
        std::optional<std::string> interval;
        const char* count;
        const std::vector<uint8_t>& records;
        int64_t intervalMs, first, last;
        std::vector<int64_t> times;
    } rows[] = {
        {"13", "1700000000", "600", "3", codes, 600000, t0, t0 + 1200000, {t0, t0 + 600000, t0 + 1200000}},
        {"13", "1700000000", "600", "1", codes, 600000, t0, t0, {t0}},
        {"13", "-86400", "60", "2", codes, 60000, -86400000, -86340000, {-86400000, -86340000}},
        {"13", "0", "60", "2", codes, 60000, -1, -1, {}},
        {"464", "1700000000", empty, "3", timed, -1, t0, t0 + 3600000, own},
        {"269", "1700000000", "60", "3", timed, 60000, t0, t0 + 120000, own},
    };
    for (const auto& row : rows) {
        const auto ch = LoadOne({{"type", row.type},
                                 {"unix_time", row.unixTime},
                                 {"interval", row.interval},
                                 {"count", row.count}},
                                row.records);
        ASSERT_TRUE(ch);
        EXPECT_EQ(row.intervalMs, ch->GetInterval()) << row.type << " " << row.count;
        EXPECT_EQ(row.first, ch->GetFirstTime()) << row.type << " " << row.count;
        EXPECT_EQ(row.last, ch->GetLastTime()) << row.type << " " << row.count;
        const auto block = ch->GetRawData().at(0);
        for (size_t i = 0; i < row.times.size(); ++i)
            EXPECT_EQ(row.times[i], block->GetTime(int32_t(i))) << row.type << " #" << i;
    }
}

TEST(FileKmq, LimitsOfEarlyVersionsAreRawCodesOfTheType)
{
    const struct {
        const char* version;
        const char* type;
        std::optional<std::string> upper, lower;
        double upperValue, lowerValue;
    } rows[] = {
        {"1.10", "13", "1250", "900", 25.0, -10.0},
        {"1.00", "13", "61166", "61166", kNoUpper, kNoLower},  // the no-data code 0xEEEE
        {"1.10", "13", std::nullopt, std::nullopt, kNoUpper, kNoLower},
        {"1.10", "73", "4660", "61166", 11.28, kNoLower},
        {"1.10", "146", "1500", "0", 0.15, 0.0},
        {"1.10", "146", "61445", "36860", kNoUpper, -0.0004},  // 0xF005 no data; 0x8FFC is -4 tenths of mV
        {"1.10", "66", "61440", "2000", kNoUpper, 2000.0},
        {"1.20", "13", "25.5", "-10", 25.5, -10.0},
        {"1.20", "146", "150", "-0.5", 0.15, -0.0005},
    };
    for (const auto& row : rows) {
        Elements ch{{"type", row.type}, {"count", "0"}};
        if (row.upper) ch.push_back({"upper_limit", row.upper});
        if (row.lower) ch.push_back({"lower_limit", row.lower});
        const auto loaded = LoadOne(ch, std::nullopt, row.version);
        ASSERT_TRUE(loaded);
        EXPECT_DOUBLE_EQ(row.upperValue, loaded->GetUpperLimit()) << row.version << " " << row.type;
        EXPECT_DOUBLE_EQ(row.lowerValue, loaded->GetLowerLimit()) << row.version << " " << row.type;
    }
}

TEST(FileKmq, VoltageScaleExpressionIsGivenInVolts)
{
    const struct {
        const char* type;
        const char* text;
        std::u16string expr;
    } rows[] = {
        {"146", "x*1500+2", u"x*1.5+0.002"},
        {"146", "1000", u"1"},
        {"146", "x*0.5", u"x*0.0005"},
        {"146", "12.50", u"0.0125"},
        {"146", "2500.000", u"2.5"},
        {"146", "1234567", u"1234.567"},
        {"146", "(x-500)/0100", u"(x-0.5)/0.1"},
        {"146", "", u""},
        {"13", "x*1500+2", u"x*1500+2"},
        {"129", "1000", u"1000"},
    };
    for (const auto& row : rows) {
        const auto ch = LoadOne({{"type", row.type}, {"scale_expr", row.text}});
        ASSERT_TRUE(ch);
        EXPECT_EQ(row.expr, ch->GetScaleExpr()) << row.text;
    }
}

TEST(FileKmq, DecimalPlacesFollowTheType)
{
    const struct {
        int type;
        int8_t places;
    } rows[] = {{13, 1}, {209, 1}, {269, 1}, {465, 1}, {129, 2}, {73, 3},  {85, 3},  {146, 4}, {77, 0},
                {78, 0}, {208, 0}, {464, 0}, {589, 0}, {590, 0}, {14, -1}, {65, -1}, {0, -1},  {999, -1}};
    for (const auto& row : rows) {
        const auto ch = LoadOne({{"type", std::to_string(row.type)}});
        ASSERT_TRUE(ch);
        EXPECT_EQ(row.places, ch->GetDecimalPlaces()) << row.type;
    }
}

TEST(FileKmq, RecordsDecodeByTheirLayout)
{
    const struct {
        int type;
        std::vector<uint8_t> records;
        uint8_t elementSize;
        std::vector<double> values;
    } rows[] = {
        {13, fx::Codes16({1215, 0xEEEE, 900}), 2, {21.5, kInvalid, -10.0}},
        {73, fx::Codes16({0x1234, 0xEEEE}), 2, {11.28, kInvalid}},
        {146, fx::Codes16({1500, 0xF005, 0x8FFF}), 2, {0.15, kInvalid, -0.0001}},
        {209, fx::Codes16({1555}), 2, {55.5}},
        {999, fx::Codes16({1234, 0xFFFF}), 2, {1234.0, 65535.0}},
        {0, fx::Codes16({5}), 2, {5.0}},
        {465, fx::TimedCodes({{1700000000, 1555}, {1700000600, 0xEEEE}}), 10, {55.5, kInvalid}},
        {341, fx::TimedCodes({{1700000000, 0x1388}}), 10, {0.001808}},
        {589, fx::Counts32({7, 0x80000000, 0xFFFFFFFF}), 4, {7.0, 2147483648.0, 4294967295.0}},
        {590, fx::Counts32({0xFFFFFFFE}), 4, {4294967294.0}},
    };
    for (const auto& row : rows) {
        const std::string count = std::to_string(row.values.size());
        const auto ch =
            LoadOne({{"type", std::to_string(row.type)}, {"interval", "60"}, {"count", count}}, row.records);
        ASSERT_TRUE(ch);
        const auto block = ch->GetRawData().at(0);
        EXPECT_EQ("FileKmqChRawData", block->GetClassName());
        EXPECT_EQ(row.elementSize, block->GetElementSize()) << row.type;
        const std::vector<double> values = ValuesOf(*ch);
        ASSERT_EQ(row.values.size(), values.size()) << row.type;
        for (size_t i = 0; i < values.size(); ++i)
            EXPECT_DOUBLE_EQ(row.values[i], values[i]) << row.type << " #" << i;
    }
}

TEST(FileKmq, DataThatDoesNotFitTheCountLeavesTheRecordsZero)
{
    const std::string two = EncodeBase64(fx::Codes16({1215, 1216}));
    const struct {
        const char* what;
        const char* count;
        std::string data;
        std::vector<double> values;  // code 0 of type 13 is -100.0
    } rows[] = {
        {"exact", "2", two, {21.5, 21.6}},
        {"one record too many", "2", EncodeBase64(fx::Codes16({1215, 1216, 1217})), {-100.0, -100.0}},
        {"one byte too many", "2", EncodeBase64({0xBF, 0x04, 0xC0, 0x04, 0x01}), {-100.0, -100.0}},
        {"shorter than the count", "3", two, {21.5, 21.6, -100.0}},
        {"line breaks", "2", two.substr(0, 4) + "\n  " + two.substr(4), {21.5, 21.6}},
        {"not Base64", "2", "!!!!", {-100.0, -100.0}},
        {"not Base64 after a decoded group", "2", two.substr(0, 4) + "$" + two.substr(4), {-100.0, -100.0}},
    };
    for (const auto& row : rows) {
        const auto ch = LoadOne({{"type", "13"}, {"count", row.count}, {"data", row.data}});
        ASSERT_TRUE(ch);
        EXPECT_EQ(row.values, ValuesOf(*ch)) << row.what;
    }
}

// Records decode straight into the channel's buffer, a group of four characters at a time where
// the text allows: white space anywhere, a bad character anywhere and a buffer one byte short
// must all give what the character-by-character rules give.
TEST(FileKmq, Base64DecodesWhereverWhiteSpaceOrABadCharacterFalls)
{
    std::vector<uint8_t> bytes;
    for (size_t size = 0; size <= 13; ++size) {
        SCOPED_TRACE(testing::Message() << size << " bytes");
        const std::string text = OvGraphFileLib::EncodeBase64(bytes.data(), bytes.size());
        std::vector<uint8_t> out(size + 4, 0xAA);
        for (size_t at = 0; at <= text.size(); ++at) {
            for (const char* inserted : {"", "\r\n ", " \t"}) {
                const std::string spaced = text.substr(0, at) + inserted + text.substr(at);
                const std::optional<size_t> decoded = DecodeBase64Into(spaced, out.data(), out.size());
                ASSERT_TRUE(decoded) << spaced;
                ASSERT_EQ(bytes, std::vector<uint8_t>(out.begin(), out.begin() + ptrdiff_t(*decoded))) << spaced;
                if (size > 0) {
                    EXPECT_FALSE(DecodeBase64Into(spaced, out.data(), size - 1)) << spaced;
                }
            }
            for (const char* bad : {"$", "=", "A"}) {
                // One more alphabet character is valid only where it completes nothing: never.
                const std::string broken = text.substr(0, at) + bad + text.substr(at);
                EXPECT_FALSE(DecodeBase64Into(broken, out.data(), out.size())) << broken;
                EXPECT_FALSE(DecodeBase64(broken)) << broken;
            }
        }
        bytes.push_back(uint8_t(size * 37 + 11));
    }
}

TEST(FileKmq, EntityDeclarationsAreNeverExpanded)
{
    std::string laughs = "<!ENTITY lol0 \"lol\">";
    for (int i = 1; i <= 9; ++i) {
        laughs += "<!ENTITY lol" + std::to_string(i) + " \"";
        for (int k = 0; k < 10; ++k) laughs += "&lol" + std::to_string(i - 1) + ";";
        laughs += "\">";
    }
    const struct {
        std::string declarations;
        std::string reference;
        std::u16string mustNotAppear;
    } rows[] = {
        {laughs, "&lol9;", u"lollol"},
        {"<!ENTITY xxe SYSTEM \"file:///etc/passwd\">", "&xxe;", u"root:"},
    };
    for (const auto& row : rows) {
        const std::string name = "<name>" + row.reference + "</name>";
        const auto start = std::chrono::steady_clock::now();
        const Loaded loaded =
            LoadKmq("<!DOCTYPE file [" + row.declarations +
                    "]><file format=\"kmq\" version=\"1.10\" sample=\"recorded_data\"><base>" + name +
                    "</base><ch>" + name + "</ch></file>");
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1)) << row.reference;
        ASSERT_EQ(0, loaded.result.code) << row.reference;
        ASSERT_EQ(1u, loaded.channels.size());
        for (const std::u16string& text :
             {loaded.channels[0]->GetBaseName(), loaded.channels[0]->GetLoggerName()}) {
            EXPECT_LT(text.size(), 16u) << row.reference;
            EXPECT_EQ(std::u16string::npos, text.find(row.mustNotAppear)) << row.reference;
        }
    }
}

TEST(FileKmq, MalformedXmlIsAGeneralFailure)
{
    const char* rows[] = {
        "<file format=\"kmq\" version=\"1.10\" sample=\"recorded_data\"><base></file>",
        "<file format=\"kmq\" version=\"1.10\"",
        "<file format=kmq version=\"1.10\"/>",
        "<file format=\"kmq\" version=\"1.10\"><ch><num>1</ch></file>",
        "not a document",
    };
    for (const char* row : rows) {
        const Result r = LoadKmq(row).result;
        EXPECT_EQ(1, r.code) << row;
        EXPECT_FALSE(r.where.empty()) << row;
    }
}

TEST(FileKmq, ChannelStoresItselfInItsOwnForm)
{
    const Loaded loaded = LoadKmq(
        "<file format=\"kmq\" version=\"1.10\" sample=\"recorded_data\"><base><name>Base</name></base><ch>"
        "<num>1</num><serial>0x5A000001</serial><model>M-100</model><name>Shelf</name><time_diff>540</"
        "time_diff>"
        "<time_zone>JST</time_zone><type>146</type><unix_time>1700000000</unix_time><data_id>9</data_id>"
        "<interval>60</interval><count>2</count><upper_limit>1500</upper_limit><scale_expr>x*1000</"
        "scale_expr>"
        "<record_prop>3</record_prop><data>3AUF8A==</data></ch></file>");
    ASSERT_EQ(1u, loaded.channels.size());
    const auto& ch = dynamic_cast<const FileKmqCh&>(*loaded.channels[0]);
    orvel::test::ChannelBytes bytes;
    bytes.Num(uint8_t(0), {8100, 8130})
        .Num(uint32_t(0x5A000001), {8101, 8131})
        .Text(u"M-100", {8102, 8132})
        .Text(u"Base", {8103, 8133})
        .Text(u"Shelf", {8104, 8134})
        .Text(u"Ch.1", {8105, 8135})
        .Num(int64_t(32400000), {8106, 8136})
        .Num(kNotGiven, {8107, 8137})
        .Num(kNotGiven, {8108, 8138})
        .Text(u"JST", {8109, 8139})
        .Num(uint16_t(146), {8110, 8140})
        .Num(int64_t(1700000000), {8111, 8141})
        .Num(int32_t(1), {8112, 8142})
        .Num(int32_t(9), {8113, 8143})
        .Num(int64_t(60000), {8114, 8144})
        .Num(int32_t(2), {8115, 8145})
        .Num(150.0, {8116, 8146})  // stored in tenths of mV; given in volts
        .Num(kNoLower, {8117, 8147})
        .Text(u"x*1000", {8118, 8148})
        .Num(uint8_t(3), {8119, 8149})
        .Num(uint32_t(4), {8120, 8150})
        .Raw({0xDC, 0x05, 0x05, 0xF0}, {8121, 8151});
    EXPECT_EQ(bytes.Str(), orvel::test::Saved(ch));

    FileKmqCh again;
    ASSERT_EQ(0, orvel::test::LoadInto(again, bytes.Str()).code);
    orvel::test::ExpectSameChannel(ch, again);
    EXPECT_DOUBLE_EQ(0.15, again.GetUpperLimit());
    EXPECT_EQ(u"x*1", again.GetScaleExpr());
    orvel::test::ExpectEveryCutNamesItsField<FileKmqCh>(bytes);
    orvel::test::ExpectEveryFullDeviceNamesItsField(ch, bytes);

    std::string newer = bytes.Str();
    newer[0] = 1;
    const Result r = orvel::test::LoadInto(again, newer);
    EXPECT_EQ(55, r.code);
    EXPECT_EQ(8130, r.location);
}
