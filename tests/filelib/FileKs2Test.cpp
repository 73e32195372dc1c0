#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "filelib/ChConstants.h"
#include "filelib/ChannelBytes.h"
#include "filelib/FileKind.h"
#include "filelib/FileKs2.h"
#include "fixtures/Ks2Builder.h"

// Row tables name only the fields a row changes; the others keep the builder's defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

using namespace OvGraphFileLib;
using orvel::fixtures::BuildKs2;
using orvel::fixtures::Ks2Record;
using orvel::fixtures::Ks2Spec;

namespace {

constexpr size_t kHeaderSize = 416;
constexpr double kInvalid = INVALID_VALUE;

struct Loaded {
    Result result;
    ChList channels;
};

Loaded LoadKs2(const std::string& bytes)
{
    FileKs2 file;
    std::istringstream in(bytes);
    Loaded loaded{file.Load(in), {}};
    if (loaded.result.Ok()) loaded.channels = file.GetChList();
    return loaded;
}

const std::vector<Ks2Record> kOneRecord = {{.channel = 0, .code = 1215}};

}  // namespace

TEST(FileKs2, HeaderChecksGiveCodeAndLocation)
{
    const struct {
        Ks2Spec spec;
        int32_t code;
        int32_t location;
    } rows[] = {
        {{.records = kOneRecord}, 0, 0},
        {{.magic = "QXRS", .records = kOneRecord}, 0, 0},
        {{.magic = "QXRB", .records = kOneRecord}, 53, 6112},
        {{.magic = "qxra", .records = kOneRecord}, 53, 6112},
        {{.magic = std::string(4, '\0'), .records = kOneRecord}, 53, 6112},
        {{.records = kOneRecord, .recordCountCopy = 2}, 55, 6114},
        {{.records = kOneRecord, .recordCount = 0, .recordCountCopy = 1}, 55, 6114},
        {{.records = kOneRecord, .channelCountCopy = 2}, 55, 6115},
        {{.channels = {}, .records = kOneRecord}, 55, 6115},
        {{.records = kOneRecord, .channelCount = 9}, 55, 6115},
        {{.records = kOneRecord, .channelCount = 8}, 0, 0},
        {{.records = {}}, 55, 6116},
        {{.channels = {}, .records = {}}, 55, 6116},  // every count zero
        {{.records = kOneRecord, .recordCount = 0}, 55, 6116},
        {{.records = kOneRecord, .recordCount = 2}, 52, 6101},
        {{.records = kOneRecord, .recordCount = 0xFFFFFFFF}, 52, 6101},
    };
    for (const auto& row : rows) {
        const Result r = LoadKs2(BuildKs2(row.spec)).result;
        EXPECT_EQ(row.code, r.code) << row.spec.magic << " " << row.location;
        EXPECT_EQ(row.location, r.location) << row.spec.magic << " " << row.location;
    }
}

TEST(FileKs2, FileEndingEarlyNamesTheFieldBeingRead)
{
    const std::string bytes = BuildKs2({.records = {{.code = 1}, {.code = 2}, {.code = 3}}});
    ASSERT_EQ(kHeaderSize + 12, bytes.size());
    for (size_t cut = 0; cut < bytes.size(); ++cut) {
        const Result r = LoadKs2(bytes.substr(0, cut)).result;
        EXPECT_EQ(52, r.code) << "cut at " << cut;
        EXPECT_EQ(cut < kHeaderSize ? 6100 : 6101, r.location) << "cut at " << cut;
    }
    EXPECT_EQ(0, LoadKs2(bytes).result.code);
}

TEST(FileKs2, RecordsAreDealtToTheirChannelsInOrder)
{
    const Ks2Spec spec{.modelCode = 8306,
                       .channels = {{.name = "\x89\xB7\x93\x78", .chType = 13}, {.name = "Hum", .chType = 209}},
                       .serialNo = 0x1234ABCD,
                       .firstSeconds = 1700000000,
                       .intervalSeconds = 60,
                       .records = {{.channel = 0, .code = 1215},
                                   {.channel = 1, .code = 1555},
                                   {.channel = 0, .code = 1216},
                                   {.channel = 7, .code = 1},  // no such channel
                                   {.channel = 1, .code = 0xEEEE, .spare = 0x55},
                                   {.channel = 0, .code = 0xEEEE}}};
    const Loaded loaded = LoadKs2(BuildKs2(spec));
    ASSERT_EQ(0, loaded.result.code);
    ASSERT_EQ(2u, loaded.channels.size());
    const struct {
        std::u16string name;
        uint16_t type;
        std::vector<double> values;
    } expected[] = {{u"温度", 13, {21.5, 21.6, kInvalid}}, {u"Hum", 209, {55.5, kInvalid}}};
    for (size_t c = 0; c < 2; ++c) {
        const ICh& ch = *loaded.channels[c];
        EXPECT_EQ("GCh", ch.GetClassName());
        EXPECT_EQ(expected[c].name, ch.GetChName());
        EXPECT_EQ(u"QZP-32", ch.GetModel());
        EXPECT_EQ(0x1234ABCDu, ch.GetSerialNo());
        EXPECT_EQ(expected[c].type, ch.GetChType());
        EXPECT_EQ(60000, ch.GetInterval());
        const int32_t count = int32_t(expected[c].values.size());
        EXPECT_EQ(count, ch.GetDataCount());
        EXPECT_EQ(1700000000000, ch.GetFirstTime());
        EXPECT_EQ(1700000000000 + (count - 1) * 60000, ch.GetLastTime());
        const auto blocks = ch.GetRawData();
        ASSERT_EQ(1u, blocks.size());
        EXPECT_EQ("FileKs2ChRawData", blocks[0]->GetClassName());
        ASSERT_EQ(count, blocks[0]->GetCount());
        for (int32_t i = 0; i < count; ++i) {
            EXPECT_DOUBLE_EQ(expected[c].values[size_t(i)], blocks[0]->GetValue(i)) << c << " " << i;
            EXPECT_EQ(1700000000000 + i * 60000, blocks[0]->GetTime(i));
        }
    }
}

TEST(FileKs2, ModelCodeNamesTheModel)
{
    const struct {
        uint16_t code;
        std::u16string model;
    } rows[] = {{8305, u"QZP-31"}, {8306, u"QZP-32"}, {8307, u""}, {8304, u""}, {0, u""}, {0xFFFF, u""}};
    for (const auto& row : rows) {
        const Loaded loaded = LoadKs2(BuildKs2({.modelCode = row.code, .records = kOneRecord}));
        ASSERT_EQ(0, loaded.result.code);
        EXPECT_EQ(row.model, loaded.channels.at(0)->GetModel()) << row.code;
    }
}

TEST(FileKs2, CodesDecodeThroughTheChannelType)
{
    const struct {
        uint16_t chType;
        uint16_t code;
        double value;
    } rows[] = {
        {13, 1215, 21.5},      {13, 0xEEEE, kInvalid}, {209, 1555, 55.5},    {208, 1555, 55.0},
        {73, 0x1234, 11.28},   {146, 0x8FFF, -0.1},    {146, 0xF005, kInvalid}, {65, 10132, 1013.2},
        {333, 5, kInvalid},    {999, 0xFFFF, 65535.0},
    };
    for (const auto& row : rows) {
        const Loaded loaded = LoadKs2(BuildKs2({.channels = {{.chType = row.chType}}, .records = {{.code = row.code}}}));
        ASSERT_EQ(0, loaded.result.code);
        EXPECT_DOUBLE_EQ(row.value, loaded.channels.at(0)->GetRawData().at(0)->GetValue(0))
            << row.chType << " code " << row.code;
    }
}

TEST(FileKs2, ChannelWithoutRecordsHasNoTimes)
{
    const Loaded loaded = LoadKs2(BuildKs2({.channels = {{}, {}}, .firstSeconds = 5, .records = kOneRecord}));
    ASSERT_EQ(0, loaded.result.code);
    ASSERT_EQ(2u, loaded.channels.size());
    EXPECT_EQ(5000, loaded.channels[0]->GetFirstTime());
    EXPECT_EQ(0, loaded.channels[1]->GetDataCount());
    EXPECT_EQ(-1, loaded.channels[1]->GetFirstTime());
    EXPECT_EQ(-1, loaded.channels[1]->GetLastTime());
}

TEST(FileKs2, KindKs2IsReadByTheKs2Reader)
{
    const auto reader = CreateReader(kFileKs2);
    ASSERT_NE(nullptr, reader);
    EXPECT_EQ("FileKs2", reader->GetClassName());
    EXPECT_EQ("FileKs2ChRawData", GChRawDataFactory::Instance().Create("FileKs2ChRawData")->GetClassName());
}
