#include <gtest/gtest.h>

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wshadow"
#pragma GCC diagnostic ignored "-Wconversion"
#include <picojson.h>
#pragma GCC diagnostic pop

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "filelib/ChConstants.h"
#include "filelib/DssChRawData.h"
#include "filelib/FileDss.h"
#include "filelib/FileKind.h"
#include "filelib/GCh.h"
#include "fixtures/KmqBuilder.h"

using namespace OvGraphFileLib;
using orvel::fixtures::Codes16;
using orvel::fixtures::Counts32;
using orvel::fixtures::EncodeBase64;
using orvel::fixtures::TimedCodes;

namespace {

using Json = picojson::value;
using Object = picojson::object;
using Array = picojson::array;

constexpr double kInvalid = INVALID_VALUE;
constexpr const char* kLoadName = "OvGraphFileLib::FileDss::LoadImpl";

// 8-byte seconds followed by a 32-bit count, as the cumulative pulse blocks carry them.
std::vector<uint8_t> TimedCounts(const std::vector<std::pair<int64_t, uint32_t>>& records)
{
    std::vector<uint8_t> bytes;
    for (const auto& [seconds, count] : records) {
        for (int i = 0; i < 8; ++i) bytes.push_back(uint8_t(uint64_t(seconds) >> (8 * i)));
        for (int i = 0; i < 4; ++i) bytes.push_back(uint8_t(count >> (8 * i)));
    }
    return bytes;
}

Json Int(int64_t value)
{
    return Json(value);
}

// One block: records as Base64, `first` and `interval` in seconds.
Json Block(int64_t type, const std::vector<uint8_t>& records, int64_t first = 1700000000,
           int64_t interval = 60, bool connect = false)
{
    Object block;
    block["connect"] = Json(connect);
    block["data"] = Json(EncodeBase64(records));
    block["first"] = Int(first);
    block["interval"] = Int(interval);
    block["type"] = Int(type);
    return Json(block);
}

Json Channel(int64_t number, const std::string& name, Array blocks)
{
    Object channel;
    channel["chNumber"] = Int(number);
    channel["chName"] = Json(name);
    channel["blocks"] = Json(blocks);
    return Json(channel);
}

// A successful answer for one logger with the given channels.
Json Answer(Array channels)
{
    Object result;
    result["serial"] = Json(std::string("0x5A000001"));
    result["model"] = Json(std::string("TR-71"));
    result["loggerName"] = Json(std::string("倉庫"));
    result["timeDiff"] = Int(540);
    result["channels"] = Json(channels);
    Object answer;
    answer["status"] = Int(200);
    answer["result"] = Json(result);
    return Json(answer);
}

// An answer with one temperature channel of one block, the base every failure row edits.
Json OneChannelAnswer()
{
    return Answer({Channel(1, "温度", {Block(13, Codes16({1215, 1216}))})});
}

Object& ResultOf(Json& answer)
{
    return answer.get<Object>()["result"].get<Object>();
}
Object& ChannelOf(Json& answer)
{
    return ResultOf(answer)["channels"].get<Array>()[0].get<Object>();
}
Object& BlockOf(Json& answer)
{
    return ChannelOf(answer)["blocks"].get<Array>()[0].get<Object>();
}

struct Loaded {
    Result result;
    ChList channels;
};

Loaded LoadText(const std::string& text)
{
    FileDss file;
    std::istringstream in(text);
    Loaded loaded{file.Load(in), {}};
    if (loaded.result.Ok()) loaded.channels = file.GetChList();
    return loaded;
}

Loaded LoadJson(const Json& answer)
{
    return LoadText(answer.serialize());
}

std::shared_ptr<ICh> LoadOne(const Json& answer)
{
    const Loaded loaded = LoadJson(answer);
    EXPECT_EQ(0, loaded.result.code) << loaded.result.location << " " << loaded.result.where;
    EXPECT_EQ(1u, loaded.channels.size());
    return loaded.channels.empty() ? nullptr : loaded.channels[0];
}

std::vector<std::pair<int64_t, double>> Samples(const ICh& ch)
{
    std::vector<std::pair<int64_t, double>> samples;
    for (const auto& block : ch.GetRawData())
        for (int32_t i = 0; i < block->GetCount(); ++i)
            samples.emplace_back(block->GetTime(i), block->GetValue(i));
    return samples;
}

}  // namespace

TEST(FileDss, EveryMissingOrMistypedKeyFailsAtItsLocation)
{
    using Edit = std::function<void(Json&)>;
    const auto erase = [](auto pick, const char* key) -> Edit {
        return [=](Json& a) { pick(a).erase(key); };
    };
    const auto set = [](auto pick, const char* key, Json value) -> Edit {
        return [=](Json& a) { pick(a)[key] = value; };
    };
    const auto root = [](Json& a) -> Object& { return a.get<Object>(); };
    const auto result = [](Json& a) -> Object& { return ResultOf(a); };
    const auto channel = [](Json& a) -> Object& { return ChannelOf(a); };
    const auto block = [](Json& a) -> Object& { return BlockOf(a); };
    const Json text(std::string("x"));
    const Json number = Int(7);
    const struct {
        const char* what;
        Edit edit;
        int32_t code;
        int32_t location;
    } rows[] = {
        {"status absent", erase(root, "status"), 52, 7310},
        {"status as text", set(root, "status", Json(std::string("200"))), 52, 7310},
        {"result absent", erase(root, "result"), 52, 7311},
        {"result as array", set(root, "result", Json(Array{})), 52, 7311},
        {"serial absent", erase(result, "serial"), 52, 7312},
        {"serial as number", set(result, "serial", number), 52, 7312},
        {"serial not hexadecimal", set(result, "serial", Json(std::string("0x5G"))), 52, 7312},
        {"serial of nine digits", set(result, "serial", Json(std::string("123456789"))), 52, 7312},
        {"serial only a prefix", set(result, "serial", Json(std::string("0x"))), 52, 7312},
        {"model absent", erase(result, "model"), 52, 7313},
        {"model as number", set(result, "model", number), 52, 7313},
        {"loggerName absent", erase(result, "loggerName"), 52, 7314},
        {"loggerName as null", set(result, "loggerName", Json()), 52, 7314},
        {"timeDiff absent", erase(result, "timeDiff"), 52, 7315},
        {"timeDiff as text", set(result, "timeDiff", text), 52, 7315},
        {"timeDiff beyond 64-bit ms", set(result, "timeDiff", Json(1e300)), 52, 7315},
        {"channels absent", erase(result, "channels"), 52, 7316},
        {"channels as object", set(result, "channels", Json(Object{})), 52, 7316},
        {"channel as number", set(result, "channels", Json(Array{number})), 52, 7320},
        {"chNumber absent", erase(channel, "chNumber"), 52, 7321},
        {"chNumber as text", set(channel, "chNumber", text), 52, 7321},
        {"chNumber not whole", set(channel, "chNumber", Json(1.5)), 52, 7321},
        {"chNumber beyond 32 bits", set(channel, "chNumber", Json(1e20)), 52, 7321},
        {"chName absent", erase(channel, "chName"), 52, 7322},
        {"chName as number", set(channel, "chName", number), 52, 7322},
        {"blocks absent", erase(channel, "blocks"), 52, 7323},
        {"blocks as text", set(channel, "blocks", text), 52, 7323},
        {"block as text", set(channel, "blocks", Json(Array{text})), 52, 7330},
        {"connect absent", erase(block, "connect"), 52, 7331},
        {"connect as number", set(block, "connect", Int(1)), 52, 7331},
        {"data absent", erase(block, "data"), 52, 7332},
        {"data as array", set(block, "data", Json(Array{})), 52, 7332},
        {"data not Base64", set(block, "data", Json(std::string("AB$C"))), 55, 7332},
        {"data not whole records", set(block, "data", Json(EncodeBase64({1, 2, 3}))), 55, 7332},
        {"first absent", erase(block, "first"), 52, 7333},
        {"first as text", set(block, "first", text), 52, 7333},
        {"first beyond 64-bit ms", set(block, "first", Int(9223372036854776)), 52, 7333},
        {"first huge double", set(block, "first", Json(1e300)), 52, 7333},
        {"interval absent", erase(block, "interval"), 52, 7334},
        {"interval as boolean", set(block, "interval", Json(true)), 52, 7334},
        {"interval negative", set(block, "interval", Int(-60)), 52, 7334},
        {"interval largest integer", set(block, "interval", Int(9223372036854775807)), 52, 7334},
        {"type absent", erase(block, "type"), 52, 7335},
        {"type as text", set(block, "type", text), 52, 7335},
        {"type beyond 16 bits", set(block, "type", Int(65536)), 52, 7335},
        {"type not whole", set(block, "type", Json(13.5)), 52, 7335},
        {"scaleExpr as number", set(block, "scaleExpr", number), 52, 7336},
        {"upperLimit as text", set(block, "upperLimit", text), 52, 7337},
        {"lowerLimit as boolean", set(block, "lowerLimit", Json(false)), 52, 7338},
    };
    for (const auto& row : rows) {
        Json answer = OneChannelAnswer();
        row.edit(answer);
        const Loaded loaded = LoadJson(answer);
        EXPECT_EQ(row.code, loaded.result.code) << row.what;
        EXPECT_EQ(row.location, loaded.result.location) << row.what;
        EXPECT_TRUE(loaded.channels.empty()) << row.what;
    }
}

TEST(FileDss, StatusOtherThan200FailsWithTheStatusAndTheServiceMessages)
{
    const auto errors = [](std::vector<Json> items) { return Json(Array(items.begin(), items.end())); };
    const auto msg = [](const char* text) { return Json(Object{{"msg", Json(std::string(text))}}); };
    const struct {
        Json status;
        Json errors;
        int32_t location;
        std::string where;
    } rows[] = {
        {Int(404), errors({msg("not found")}), 404, "not found"},
        {Int(500), errors({msg("a"), msg("b")}), 500, "a\nb"},
        {Json(403.0), errors({}), 403, kLoadName},
        {Int(401), Json(std::string("no list")), 401, kLoadName},
        {Int(400), errors({Int(1), Json(Object{{"msg", Int(2)}}), msg("bad key")}), 400, "bad key"},
        {Int(-5000000000), errors({}), INT32_MIN, kLoadName},
        {Json(99999999999.0), errors({}), INT32_MAX, kLoadName},
    };
    for (const auto& row : rows) {
        Json answer = OneChannelAnswer();
        answer.get<Object>()["status"] = row.status;
        answer.get<Object>()["errors"] = row.errors;
        const Loaded loaded = LoadJson(answer);
        EXPECT_EQ(52, loaded.result.code) << row.location;
        EXPECT_EQ(row.location, loaded.result.location);
        EXPECT_EQ(row.where, loaded.result.where);
    }
}

TEST(FileDss, TextThatIsNotJsonFailsBeforeAnyKeyIsRead)
{
    const struct {
        std::string text;
        std::string where;  // the start of the parser's message
    } rows[] = {
        {"", "syntax error at line 1 near: "},
        {"{\"status\": 200,\n\"result\": {\n  x}", "syntax error at line 3 near: x}"},
        {"{\"status\": 200} trailing", "text after the JSON value"},
        {"{\"status\": 1e400}", "number out of range"},
        {std::string(100000, '['), "syntax error"},
        {"{\"status\": \"\\ud800\"}", "syntax error"},
    };
    for (const auto& row : rows) {
        const Loaded loaded = LoadText(row.text);
        EXPECT_EQ(52, loaded.result.code) << row.where;
        EXPECT_EQ(7300, loaded.result.location) << row.where;
        EXPECT_EQ(row.where, loaded.result.where.substr(0, row.where.size()));
        EXPECT_LE(loaded.result.where.size(), 120u);
    }
}

TEST(FileDss, LoggerFieldsReachEveryChannel)
{
    const struct {
        std::string serial;
        Json timeDiff;
        uint32_t serialNo;
        int64_t timeDiffMs;
    } rows[] = {
        {"0x5A000001", Int(540), 0x5A000001, 540 * 60000},
        {"5a000001", Int(-300), 0x5A000001, -300 * 60000},
        {"0X00ff", Int(0), 0xFF, 0},
        {"FFFFFFFF", Json(330.5), 0xFFFFFFFF, 330 * 60000 + 30000},
    };
    for (const auto& row : rows) {
        Json answer = Answer({Channel(1, "a", {}), Channel(2, "b", {})});
        ResultOf(answer)["serial"] = Json(row.serial);
        ResultOf(answer)["timeDiff"] = row.timeDiff;
        const Loaded loaded = LoadJson(answer);
        ASSERT_EQ(0, loaded.result.code) << row.serial;
        ASSERT_EQ(2u, loaded.channels.size());
        for (const auto& ch : loaded.channels) {
            EXPECT_EQ(row.serialNo, ch->GetSerialNo()) << row.serial;
            EXPECT_EQ(row.timeDiffMs, ch->GetTimeDiff()) << row.serial;
            EXPECT_EQ(u"TR-71", ch->GetModel());
            EXPECT_EQ(u"倉庫", ch->GetLoggerName());
            EXPECT_EQ(u"", ch->GetBaseName());
            EXPECT_EQ(NOT_GIVEN, ch->GetStdBias());
        }
        EXPECT_EQ(u"1", loaded.channels[0]->GetAuxText());
        EXPECT_EQ(u"2", loaded.channels[1]->GetAuxText());
    }
}

TEST(FileDss, EmptyChannelNamesAreNumberedOnlyWhenTheLoggerHasSeveral)
{
    const struct {
        std::vector<std::string> names;
        std::vector<std::u16string> expected;
    } rows[] = {
        {{""}, {u""}},
        {{"温度"}, {u"温度"}},
        {{"", ""}, {u"Ch.1", u"Ch.2"}},
        {{"A", ""}, {u"A", u"Ch.2"}},
        {{"", "B", ""}, {u"Ch.1", u"B", u"Ch.3"}},
    };
    for (const auto& row : rows) {
        Array channels;
        // Channel numbers deliberately differ from the positions: the name follows the position.
        for (size_t i = 0; i < row.names.size(); ++i)
            channels.push_back(Channel(int64_t(10 + i), row.names[i], {}));
        const Loaded loaded = LoadJson(Answer(channels));
        ASSERT_EQ(0, loaded.result.code);
        ASSERT_EQ(row.expected.size(), loaded.channels.size());
        for (size_t i = 0; i < row.expected.size(); ++i)
            EXPECT_EQ(row.expected[i], loaded.channels[i]->GetChName());
    }
}

TEST(FileDss, RecordLayoutsGiveTimesAndValues)
{
    constexpr int64_t t0 = 1700000000;
    constexpr int64_t ms0 = t0 * 1000;
    const struct {
        const char* what;
        int64_t type;
        std::vector<uint8_t> records;
        int64_t interval;  // seconds
        uint8_t elementSize;
        std::vector<std::pair<int64_t, double>> expected;
    } rows[] = {
        {"celsius at a fixed interval",
         13,
         Codes16({1215, 0xEEEE, 900}),
         60,
         2,
         {{ms0, 21.5}, {ms0 + 60000, kInvalid}, {ms0 + 120000, -10.0}}},
        {"humidity", 208, Codes16({1555}), 600, 2, {{ms0, 55}}},
        {"voltage in volts",
         146,
         Codes16({0x8FFF, 0xF005, 12}),
         1,
         2,
         {{ms0, -0.0001}, {ms0 + 1000, kInvalid}, {ms0 + 2000, 0.0012}}},
        {"co2 no-data codes",
         66,
         Codes16({0xF000, 0xF00F, 400}),
         10,
         2,
         {{ms0, kInvalid}, {ms0 + 10000, kInvalid}, {ms0 + 20000, 400}}},
        {"pulse no-data", 77, Codes16({61439, 61440}), 60, 2, {{ms0, 61439}, {ms0 + 60000, kInvalid}}},
        {"32-bit counts at a fixed interval",
         333,
         Counts32({70000, 5}),
         60,
         4,
         {{ms0, 70000}, {ms0 + 60000, 5}}},
        {"unknown type, plain codes", 999, Codes16({500}), 60, 2, {{ms0, 500}}},
        {"cumulative illuminance, own times",
         329,
         TimedCodes({{t0 + 5, 0x1234}, {t0 + 3605, 10}}),
         3600,
         10,
         {{(t0 + 5) * 1000, 0x234 << 1}, {(t0 + 3605) * 1000, 10}}},
        {"cumulative UV, own times", 341, TimedCodes({{t0 + 7, 1000}}), 3600, 10, {{(t0 + 7) * 1000, 0.001}}},
        {"cumulative pulses 589, own times",
         589,
         TimedCounts({{t0 + 1, 100000}, {t0 + 90, 100001}}),
         60,
         12,
         {{(t0 + 1) * 1000, 100000}, {(t0 + 90) * 1000, 100001}}},
        {"cumulative pulses 590, own times",
         590,
         TimedCounts({{t0, 4000000000u}}),
         60,
         12,
         {{t0 * 1000, 4000000000.0}}},
    };
    for (const auto& row : rows) {
        const auto ch = LoadOne(Answer({Channel(1, "x", {Block(row.type, row.records, t0, row.interval)})}));
        ASSERT_TRUE(ch) << row.what;
        const auto blocks = ch->GetRawData();
        ASSERT_EQ(1u, blocks.size()) << row.what;
        EXPECT_EQ("DssChRawData", blocks[0]->GetClassName());
        EXPECT_EQ(row.elementSize, blocks[0]->GetElementSize()) << row.what;
        const auto samples = Samples(*ch);
        ASSERT_EQ(row.expected.size(), samples.size()) << row.what;
        for (size_t i = 0; i < samples.size(); ++i) {
            EXPECT_EQ(row.expected[i].first, samples[i].first) << row.what << " record " << i;
            EXPECT_DOUBLE_EQ(row.expected[i].second, samples[i].second) << row.what << " record " << i;
        }
        EXPECT_EQ(int32_t(row.expected.size()), ch->GetDataCount()) << row.what;
        EXPECT_EQ(row.expected.front().first, ch->GetFirstTime()) << row.what;
        EXPECT_EQ(row.expected.back().first, ch->GetLastTime()) << row.what;
        EXPECT_EQ(uint16_t(row.type), ch->GetChType()) << row.what;
        const bool ownTimes = DssChRawData::HasRecordTimes(int32_t(row.type));
        EXPECT_EQ(ownTimes ? NO_INTERVAL : row.interval * 1000, ch->GetInterval()) << row.what;
    }
}

TEST(FileDss, LimitsAndScaleComeFromTheBlocks)
{
    const auto block = [](std::vector<std::pair<const char*, Json>> extra) {
        Json b = Block(13, Codes16({1215}));
        for (const auto& [key, value] : extra) b.get<Object>()[key] = value;
        return b;
    };
    const struct {
        const char* what;
        Array blocks;
        std::u16string scaleExpr;
        double upper;
        double lower;
    } rows[] = {
        {"none given", {block({})}, u"", NO_UPPER_LIMIT, NO_LOWER_LIMIT},
        {"null is absent",
         {block({{"scaleExpr", Json()}, {"upperLimit", Json()}, {"lowerLimit", Json()}})},
         u"",
         NO_UPPER_LIMIT,
         NO_LOWER_LIMIT},
        {"all given",
         {block(
             {{"scaleExpr", Json(std::string("x*2"))}, {"upperLimit", Json(30.5)}, {"lowerLimit", Int(-5)}})},
         u"x*2",
         30.5,
         -5},
        {"a later block replaces",
         {block({{"upperLimit", Int(10)}}), block({{"upperLimit", Int(20)}})},
         u"",
         20,
         NO_LOWER_LIMIT},
        {"a later block without keeps", {block({{"lowerLimit", Int(1)}}), block({})}, u"", NO_UPPER_LIMIT, 1},
    };
    for (const auto& row : rows) {
        const auto ch = LoadOne(Answer({Channel(1, "x", row.blocks)}));
        ASSERT_TRUE(ch) << row.what;
        EXPECT_EQ(row.scaleExpr, ch->GetScaleExpr()) << row.what;
        EXPECT_EQ(row.upper, ch->GetUpperLimit()) << row.what;
        EXPECT_EQ(row.lower, ch->GetLowerLimit()) << row.what;
    }
}

TEST(FileDss, ConnectedBlocksContinueThePreviousOneAndOthersLeaveAGap)
{
    constexpr int64_t t0 = 1700000000;
    const auto two = Codes16({1000, 1001});
    const struct {
        const char* what;
        Array blocks;
        std::vector<int32_t> counts;  // records per raw data block
    } rows[] = {
        {"connected and contiguous", {Block(13, two, t0, 60), Block(13, two, t0 + 120, 60, true)}, {4}},
        {"not connected", {Block(13, two, t0, 60), Block(13, two, t0 + 120, 60, false)}, {2, 2}},
        {"connected but time jumps", {Block(13, two, t0, 60), Block(13, two, t0 + 600, 60, true)}, {2, 2}},
        {"connected but interval differs",
         {Block(13, two, t0, 60), Block(13, two, t0 + 120, 30, true)},
         {2, 2}},
        {"connected but type differs", {Block(13, two, t0, 60), Block(208, two, t0 + 120, 60, true)}, {2, 2}},
        {"first block connected", {Block(13, two, t0, 60, true)}, {2}},
        {"empty block left out", {Block(13, {}, t0, 60), Block(13, two, t0 + 120, 60, true)}, {2}},
        {"own times connected",
         {Block(329, TimedCodes({{t0, 1}}), t0, 60),
          Block(329, TimedCodes({{t0 + 99, 2}}), t0 + 99, 60, true)},
         {2}},
    };
    for (const auto& row : rows) {
        const auto ch = LoadOne(Answer({Channel(1, "x", row.blocks)}));
        ASSERT_TRUE(ch) << row.what;
        const auto blocks = ch->GetRawData();
        std::vector<int32_t> counts;
        for (const auto& b : blocks) counts.push_back(b->GetCount());
        EXPECT_EQ(row.counts, counts) << row.what;
        // Every record keeps the time its own block gave it.
        int32_t total = 0;
        for (const auto& b : blocks) {
            total += b->GetCount();
            EXPECT_EQ(b->GetTime(b->GetCount() - 1), b->GetLastTime()) << row.what;
        }
        EXPECT_EQ(total, ch->GetDataCount()) << row.what;
        EXPECT_EQ(blocks.back()->GetLastTime(), ch->GetLastTime()) << row.what;
    }
    const auto merged = LoadOne(Answer({Channel(1, "x", rows[0].blocks)}));
    EXPECT_EQ((t0 + 180) * 1000, merged->GetRawData()[0]->GetTime(3));
}

TEST(FileDss, ChannelSurvivesAStoredCopyAndTrimming)
{
    constexpr int64_t t0 = 1700000000;
    const auto ch = LoadOne(Answer({
        Channel(1, "x", {Block(329, TimedCodes({{t0, 1}, {t0 + 10, 2}, {t0 + 50, 3}}))}),
    }));
    ASSERT_TRUE(ch);
    std::stringstream stored;
    ch->SaveImpl(stored);
    GCh copy;
    copy.LoadImpl(stored);
    EXPECT_EQ(Samples(*ch), Samples(copy));
    EXPECT_EQ("DssChRawData", copy.GetRawData()[0]->GetClassName());

    copy.DeleteBefore((t0 + 5) * 1000);
    copy.ShiftTime(2000);
    const std::vector<std::pair<int64_t, double>> expected = {{(t0 + 12) * 1000, 2}, {(t0 + 52) * 1000, 3}};
    EXPECT_EQ(expected, Samples(copy));
    EXPECT_EQ((t0 + 12) * 1000, copy.GetFirstTime());
    EXPECT_EQ((t0 + 52) * 1000, copy.GetLastTime());
}

TEST(FileDss, WebStorageFilesLoadWhateverTheirName)
{
    const auto path = std::filesystem::temp_directory_path() / "orvel-dss-answer.kmv";
    // Saved by an editor that marks UTF-8 with a byte-order mark.
    std::ofstream(path, std::ios::binary) << "\xEF\xBB\xBF" << OneChannelAnswer().serialize();
    const LoadedChannels loaded = LoadWebStorageChannels(path);
    std::filesystem::remove(path);
    ASSERT_EQ(0, loaded.result.code);
    ASSERT_EQ(1u, loaded.channels.size());
    EXPECT_EQ(u"温度", loaded.channels[0]->GetChName());
    EXPECT_EQ(2, loaded.channels[0]->GetDataCount());
}
