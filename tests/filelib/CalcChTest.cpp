#include <gtest/gtest.h>

#include <vector>

#include "filelib/AppCalcCh.h"
#include "filelib/CalcCh.h"
#include "filelib/ChConstants.h"
#include "filelib/ChannelBytes.h"
#include "filelib/GChDataIterator.h"
#include "filelib/RawDataInvalidInterval.h"
#include "filelib/RawDataValidInterval.h"

using namespace OvGraphFileLib;
using namespace orvel::test;

namespace {

struct CalcAttrs {
    uint32_t serialNo;
    std::u16string model{}, baseName{}, loggerName{}, chName{};
    int64_t interval;
    int32_t chType, decimalPlaces;
    double upperLimit, lowerLimit;
    int64_t timeDiff, stdBias, dstBias;
    std::u16string auxText{}, scaleExpr{};
};

const CalcAttrs kDewPoint = {.serialNo = 0x00C0FFEE,
                             .model = u"OV-20",
                             .baseName = u"Base",
                             .loggerName = u"温室 1",
                             .chName = u"露点",
                             .interval = 600'000,
                             .chType = 13,
                             .decimalPlaces = 2,
                             .upperLimit = 40.0,
                             .lowerLimit = -10.0,
                             .timeDiff = 32'400'000,
                             .stdBias = 0,
                             .dstBias = -3'600'000,
                             .auxText = u"Ch.1 Ch.2",
                             .scaleExpr = u"x-0.5"};
// What a new CalcCh holds.
const CalcAttrs kDefaults = {.serialNo = 0,
                             .interval = NO_INTERVAL,
                             .chType = 0,
                             .decimalPlaces = -1,
                             .upperLimit = INVALID_VALUE,
                             .lowerLimit = -INVALID_VALUE,
                             .timeDiff = NOT_GIVEN,
                             .stdBias = NOT_GIVEN,
                             .dstBias = NOT_GIVEN};

std::vector<BlockFields> TwoBlocks()
{
    return {
        {"RawDataValidInterval", 13, 1000, 1400, 0, 0, 100, 5, 8, Doubles({1, 2, 3, 4, 5})},
        {"RawDataInvalidInterval", 13, 2000, 2005, 0, 0, NO_INTERVAL, 2, 16,
         TimedDoubles({{2000, 6}, {2005, 7}})},
    };
}

CalcCh MakeCalc(const CalcAttrs& a, const std::vector<BlockFields>& blocks)
{
    CalcCh ch;
    RawDataList list;
    for (const BlockFields& b : blocks) list.push_back(MakeBlock(b));
    ch.SetRawData(list);
    ch.SetSerialNo(a.serialNo);
    ch.SetModel(a.model);
    ch.SetBaseName(a.baseName);
    ch.SetLoggerName(a.loggerName);
    ch.SetChName(a.chName);
    ch.SetInterval(a.interval);
    ch.SetChType(a.chType);
    ch.SetDecimalPlaces(a.decimalPlaces);
    ch.SetUpperLimit(a.upperLimit);
    ch.SetLowerLimit(a.lowerLimit);
    ch.SetTimeDiff(a.timeDiff);
    ch.SetStdBias(a.stdBias);
    ch.SetDstBias(a.dstBias);
    ch.SetAuxText(a.auxText);
    ch.SetScaleExpr(a.scaleExpr);
    return ch;
}

// A calculated channel as CalcCh stores it: locations 9000-9017 writing, 9020-9038 reading.
ChannelBytes Stored(const CalcAttrs& a, const std::vector<BlockFields>& blocks, uint8_t version = 0)
{
    ChannelBytes bytes;
    bytes.Num(version, {9000, 9020})
        .Num(a.serialNo, {9001, 9022})
        .Text(a.model, {9002, 9023})
        .Text(a.baseName, {9003, 9024})
        .Text(a.loggerName, {9004, 9025})
        .Text(a.chName, {9005, 9026})
        .Num(a.interval, {9006, 9027})
        .Num(a.chType, {9007, 9028})
        .Num(a.decimalPlaces, {9008, 9029})
        .Num(a.upperLimit, {9009, 9030})
        .Num(a.lowerLimit, {9010, 9031})
        .Num(a.timeDiff, {9011, 9032})
        .Num(a.stdBias, {9012, 9033})
        .Num(a.dstBias, {9013, 9034})
        .Text(a.auxText, {9014, 9035})
        .Text(a.scaleExpr, {9015, 9036})
        .Num(int32_t(blocks.size()), {9016, 9037});
    for (const BlockFields& b : blocks) {
        bytes.Text(std::u16string(b.className.begin(), b.className.end()), {9017, 9038});
        AppendBlock(bytes, b);
    }
    return bytes;
}

struct Record {
    double seconds;
    double value;
};

// A calculated channel of the older form: locations 9040-9052 writing, 9060-9072 reading.
ChannelBytes OlderForm(const std::vector<Record>& records, int32_t count)
{
    ChannelBytes bytes;
    bytes.Num(uint32_t(0x00C0FFEE), {9040, 9060})
        .Text(u"露点", {9041, 9061})
        .Num(uint16_t(13), {9042, 9062})
        .Num(int8_t(1), {9043, 9063})
        .Num(40.0, {9044, 9064})
        .Num(-10.0, {9045, 9065})
        .Num(uint16_t(0x1234), {9046, 9066})
        .Num(uint16_t(7), {9047, 9067})
        .Text(u"kept", {9048, 9068})
        .Text(u"Ch.1 Ch.2", {9049, 9069})
        .Num(count, {9050, 9070});
    // The reader checks the record count against the stream before it reads the first pair.
    for (const Record& r : records) bytes.Num(r.seconds, {9051, 9071}).Num(r.value, {9052, 9071});
    return bytes;
}

std::vector<ChSample> Samples(const ICh& ch)
{
    const RawDataList blocks = ch.GetRawData();
    std::vector<ChSample> samples;
    for (auto it = GChDataIterator::Begin(blocks); it != GChDataIterator::End(blocks); ++it)
        samples.push_back(*it);
    return samples;
}

}  // namespace

TEST(CalcCh, WithoutBlocksHasNoDataAndSavesZeroBlocks)
{
    const CalcCh ch;
    EXPECT_EQ(0, ch.GetDataCount());
    EXPECT_EQ(NO_TIME, ch.GetFirstTime());
    EXPECT_EQ(NO_TIME, ch.GetLastTime());
    const std::string saved = Saved(ch);
    EXPECT_EQ(Stored(kDefaults, {}).Str(), saved);
    EXPECT_EQ(std::string(4, '\0'), saved.substr(saved.size() - 4));
}

TEST(CalcCh, BlockListDecidesTypeAndInterval)
{
    struct Row {
        std::vector<std::pair<int32_t, int64_t>> blocks;  // type, interval
        int32_t chType;
        int64_t interval;  // 5000: kept from before
    };
    const Row rows[] = {
        {{{13, 600'000}, {13, 600'000}}, 13, 600'000}, {{{13, 600'000}, {208, 600'000}}, 0, 600'000},
        {{{208, 1000}, {13, 2000}}, 0, 5000},          {{{13, 1000}, {13, 2000}}, 13, 5000},
        {{{208, NO_INTERVAL}}, 208, NO_INTERVAL},
    };
    for (const Row& row : rows) {
        CalcCh ch;
        ch.SetChType(66);
        ch.SetInterval(5000);
        RawDataList blocks;
        for (const auto& [type, interval] : row.blocks)
            blocks.push_back(RawDataValidInterval::Create(type, 1000, interval, {1.0}));
        ch.SetRawData(blocks);
        EXPECT_EQ(row.chType, ch.GetChType());
        EXPECT_EQ(row.interval, ch.GetInterval());
    }
}

TEST(CalcCh, CountAndTimesFollowTheBlocks)
{
    CalcCh ch = MakeCalc(kDewPoint, TwoBlocks());
    EXPECT_EQ(7, ch.GetDataCount());
    EXPECT_EQ(1000, ch.GetFirstTime());
    EXPECT_EQ(2005, ch.GetLastTime()) << "the last record lies in the last block";
    EXPECT_EQ(0, ch.GetRecordProp());
    ch.SetRawData({});
    EXPECT_EQ(0, ch.GetDataCount());
    EXPECT_EQ(NO_TIME, ch.GetFirstTime());
    EXPECT_EQ(NO_TIME, ch.GetLastTime());
}

TEST(CalcCh, CloneHoldsBlocksOfItsOwn)
{
    CalcCh ch = MakeCalc(kDewPoint, TwoBlocks());
    const auto clone = ch.Clone();
    EXPECT_EQ("CalcCh", clone->GetClassName());
    ch.GetRawData().front()->ShiftTime(1);
    ch.RawDataBlocks().front()->ShiftTime(1);
    EXPECT_EQ(1000, clone->GetFirstTime());
    EXPECT_EQ(1001, ch.GetFirstTime()) << "GetRawData hands out copies";
}

TEST(CalcChSerialization, WritesEachItemInOrder)
{
    EXPECT_EQ(Stored(kDewPoint, TwoBlocks()).Str(), Saved(MakeCalc(kDewPoint, TwoBlocks())));
}

TEST(CalcChSerialization, RoundTripKeepsAttributesAndBlocks)
{
    const CalcCh original = MakeCalc(kDewPoint, TwoBlocks());
    CalcCh loaded;
    ASSERT_TRUE(LoadInto(loaded, Saved(original)).Ok());
    ExpectSameChannel(original, loaded);
}

TEST(CalcChSerialization, RefusesBrokenContent)
{
    std::vector<BlockFields> unknown = TwoBlocks();
    unknown[1].className = "GCh";
    std::vector<BlockFields> huge = TwoBlocks();
    huge[0].count = 0x7FFFFFFF;
    std::string negative = Stored(kDewPoint, {}).Str();
    negative.replace(negative.size() - 4, 4, "\xFF\xFF\xFF\xFF");
    std::string many = negative;
    many.replace(many.size() - 4, 4, "\xFF\xFF\xFF\x7F");
    struct Row {
        const char* what;
        std::string stream;
        int32_t code;
        int32_t location;
    };
    const Row rows[] = {
        {"version 1", Stored(kDewPoint, {}, 1).Str(), kBrokenFile, 9021},
        {"unknown block class", Stored(kDewPoint, unknown).Str(), kBadBlock, 9039},
        {"negative block count", negative, kBrokenFile, 9037},
        {"block count beyond the stream", many, kReadFailed, 9038},
        {"record count beyond the stream", Stored(kDewPoint, huge).Str(), kReadFailed, 839},
    };
    for (const Row& row : rows) {
        CalcCh loaded;
        const Result r = LoadInto(loaded, row.stream);
        EXPECT_EQ(row.code, r.code) << row.what;
        EXPECT_EQ(row.location, r.location) << row.what;
    }
}

TEST(CalcChSerialization, TruncatedStreamNamesTheFieldBeingRead)
{
    ExpectEveryCutNamesItsField<CalcCh>(Stored(kDewPoint, TwoBlocks()));
}

TEST(CalcChSerialization, FullDeviceNamesTheFieldBeingWritten)
{
    ExpectEveryFullDeviceNamesItsField(MakeCalc(kDewPoint, TwoBlocks()), Stored(kDewPoint, TwoBlocks()));
}

TEST(AppCalcCh, LoadsTheOlderFormWithTimesInSeconds)
{
    AppCalcCh ch;
    ASSERT_TRUE(
        LoadInto(ch, OlderForm({{10.0004, 21.5}, {20.0006, INVALID_VALUE}, {30.25, -3.25}}, 3).Str()).Ok());
    EXPECT_EQ(u"露点", ch.GetChName());
    EXPECT_EQ(13, ch.GetChType());
    EXPECT_EQ(1, ch.GetDecimalPlaces());
    EXPECT_EQ(40.0, ch.GetUpperLimit());
    EXPECT_EQ(-10.0, ch.GetLowerLimit());
    EXPECT_EQ(u"Ch.1 Ch.2", ch.GetAuxText());
    EXPECT_EQ(NO_INTERVAL, ch.GetInterval());
    EXPECT_EQ(3, ch.GetDataCount());
    EXPECT_EQ(10'000, ch.GetFirstTime());
    EXPECT_EQ(30'250, ch.GetLastTime());
    const std::vector<ChSample> samples = Samples(ch);
    ASSERT_EQ(3u, samples.size());
    EXPECT_EQ(20'001, samples[1].time) << "rounded to the nearest millisecond";
    EXPECT_EQ(21.5, samples[0].value);
    EXPECT_EQ(INVALID_VALUE, samples[1].value);
    EXPECT_EQ(-3.25, samples[2].value);
}

TEST(AppCalcCh, SavesTheOlderFormBack)
{
    const ChannelBytes bytes = OlderForm({{1'700'000'000.5, 21.5}, {1'700'000'600.25, -3.25}}, 2);
    AppCalcCh ch;
    ASSERT_TRUE(LoadInto(ch, bytes.Str()).Ok());
    EXPECT_EQ(bytes.Str(), Saved(ch));
    EXPECT_EQ(bytes.Str(), Saved(*ch.Clone())) << "the kept values travel with a copy";
    ExpectEveryFullDeviceNamesItsField(ch, bytes);
}

TEST(AppCalcCh, SaveWritesTheRecordsOfAllBlocksWithoutBreaks)
{
    AppCalcCh ch;
    ch.SetRawData({RawDataValidInterval::Create(13, 1000, 100, {1, 2, 3}),
                   RawDataValidInterval::Create(13, 5000, 100, {4, 5})});
    AppCalcCh loaded;
    ASSERT_TRUE(LoadInto(loaded, Saved(ch)).Ok());
    const std::vector<ChSample> samples = Samples(loaded);
    ASSERT_EQ(5u, samples.size());
    EXPECT_EQ(1200, samples[2].time);
    EXPECT_EQ(5000, samples[3].time);
    EXPECT_EQ(4.0, samples[3].value);
}

TEST(AppCalcCh, TruncatedOlderFormNamesTheFieldBeingRead)
{
    ExpectEveryCutNamesItsField<AppCalcCh>(OlderForm({{10.0, 1.0}, {20.0, 2.0}}, 2));

    const struct {
        int32_t count;
        int32_t code;
        int32_t location;
    } rows[] = {{0x7FFFFFFF, kReadFailed, 9071}, {-1, kBrokenFile, 9070}, {3, kReadFailed, 9071}};
    for (const auto& row : rows) {
        AppCalcCh ch;
        const Result r = LoadInto(ch, OlderForm({{10.0, 1.0}, {20.0, 2.0}}, row.count).Str());
        EXPECT_EQ(row.code, r.code) << row.count;
        EXPECT_EQ(row.location, r.location) << row.count;
    }
}
