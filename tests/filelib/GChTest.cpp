#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>
#include <vector>

#include "filelib/ChConstants.h"
#include "filelib/ChannelBytes.h"
#include "filelib/EmptyCh.h"
#include "filelib/GCh.h"
#include "filelib/GChRawData.h"
#include "filelib/RawDataInvalidInterval.h"
#include "filelib/RawDataValidInterval.h"

using namespace OvGraphFileLib;
using namespace orvel::test;

namespace {

constexpr int64_t T0 = 1'700'000'000'000;  // 2023-11-14 22:13:20 UTC

struct Attrs {
    uint32_t serialNo;
    std::u16string model{}, baseName{}, loggerName{}, chName{};
    int64_t interval;
    int32_t dataCount;
    uint16_t chType;
    int8_t decimalPlaces;
    double upperLimit, lowerLimit;
    int64_t firstTime, lastTime, timeDiff, stdBias, dstBias;
    std::u16string auxText{}, scaleExpr{};
    uint8_t recordProp;
};

const Attrs kGreenhouse = {.serialNo = 0x0A1B2C3D,
                           .model = u"OV-20",
                           .baseName = u"Base 温室",
                           .loggerName = u"温室 1",
                           .chName = u"Ch.1",
                           .interval = 600'000,
                           .dataCount = 8,
                           .chType = 13,
                           .decimalPlaces = 1,
                           .upperLimit = 30.5,
                           .lowerLimit = -5.0,
                           .firstTime = T0,
                           .lastTime = T0 + 7'200'005,
                           .timeDiff = 32'400'000,
                           .stdBias = 0,
                           .dstBias = -3'600'000,
                           .auxText = u"aux",
                           .scaleExpr = u"x*2+1",
                           .recordProp = 3};

// What EmptyCh answers.
const Attrs kEmpty = {.serialNo = 0,
                      .interval = NO_INTERVAL,
                      .dataCount = 0,
                      .chType = 0,
                      .decimalPlaces = -1,
                      .upperLimit = INVALID_VALUE,
                      .lowerLimit = -INVALID_VALUE,
                      .firstTime = NO_TIME,
                      .lastTime = NO_TIME,
                      .timeDiff = NOT_GIVEN,
                      .stdBias = NOT_GIVEN,
                      .dstBias = NOT_GIVEN,
                      .recordProp = 0};

// One block of each class that a stored channel carries.
std::vector<BlockFields> ThreeBlocks()
{
    return {
        {"GChRawData", 13, T0, T0 + 1'800'000, 1, 42, 600'000, 4, 2, Codes16({1100, 1105, 0xEEEE, 1120})},
        {"RawDataValidInterval", 13, T0 + 3'600'000, T0 + 4'200'000, 0, 0, 600'000, 2, 8,
         Doubles({21.5, -3.25})},
        {"RawDataInvalidInterval", 13, T0 + 7'200'000, T0 + 7'200'005, 0, 0, NO_INTERVAL, 2, 16,
         TimedDoubles({{T0 + 7'200'000, 1.0}, {T0 + 7'200'005, 2.0}})},
    };
}

GCh MakeChannel(const Attrs& a, const std::vector<BlockFields>& blocks)
{
    GCh ch;
    ch.SetSerialNo(a.serialNo);
    ch.SetModel(a.model);
    ch.SetBaseName(a.baseName);
    ch.SetLoggerName(a.loggerName);
    ch.SetChName(a.chName);
    ch.SetInterval(a.interval);
    ch.SetDataCount(a.dataCount);
    ch.SetChType(a.chType);
    ch.SetDecimalPlaces(a.decimalPlaces);
    ch.SetUpperLimit(a.upperLimit);
    ch.SetLowerLimit(a.lowerLimit);
    ch.SetFirstTime(a.firstTime);
    ch.SetLastTime(a.lastTime);
    ch.SetTimeDiff(a.timeDiff);
    ch.SetStdBias(a.stdBias);
    ch.SetDstBias(a.dstBias);
    ch.SetAuxText(a.auxText);
    ch.SetScaleExpr(a.scaleExpr);
    ch.SetRecordProp(a.recordProp);
    for (const BlockFields& b : blocks) ch.AddRawData(MakeBlock(b));
    return ch;
}

// A channel as GCh stores it: locations 700-721 writing, 730-753 reading.
ChannelBytes Stored(const Attrs& a, const std::vector<BlockFields>& blocks, uint8_t version = 1)
{
    ChannelBytes bytes;
    bytes.Num(version, {700, 730})
        .Num(a.serialNo, {701, 732})
        .Text(a.model, {702, 733})
        .Text(a.baseName, {703, 734})
        .Text(a.loggerName, {704, 735})
        .Text(a.chName, {705, 736})
        .Num(a.interval, {706, 737})
        .Num(a.dataCount, {707, 738})
        .Num(a.chType, {708, 739})
        .Num(a.decimalPlaces, {709, 740})
        .Num(a.upperLimit, {710, 741})
        .Num(a.lowerLimit, {711, 742})
        .Num(a.firstTime, {712, 743})
        .Num(a.lastTime, {713, 744})
        .Num(a.timeDiff, {714, 745})
        .Num(a.stdBias, {715, 746})
        .Num(a.dstBias, {716, 747})
        .Text(a.auxText, {717, 748})
        .Text(a.scaleExpr, {718, 749})
        .Num(uint16_t(blocks.size()), {719, 750});
    for (const BlockFields& b : blocks) {
        bytes.Text(std::u16string(b.className.begin(), b.className.end()), {720, 751});
        AppendBlock(bytes, b);
    }
    if (version >= 1) bytes.Num(a.recordProp, {721, 753});
    return bytes;
}

// A channel over the blocks, with data count and first and last time as a reader sets them.
GCh ChannelOf(const RawDataList& blocks)
{
    GCh ch;
    int32_t count = 0;
    for (const auto& block : blocks) {
        ch.AddRawData(block);
        count += block->GetCount();
    }
    ch.SetDataCount(count);
    ch.SetFirstTime(blocks.front()->GetFirstTime());
    ch.SetLastTime(blocks.back()->GetLastTime());
    return ch;
}

std::vector<ChSample> Collect(GChDataIterator it, GChDataIterator end)
{
    std::vector<ChSample> samples;
    for (; it != end; ++it) samples.push_back(*it);
    return samples;
}

std::vector<ChSample> Samples(const GCh& ch) { return Collect(ch.begin(), ch.end()); }

std::vector<int64_t> BlockFirstTimes(const GCh& ch)
{
    std::vector<int64_t> times;
    for (const auto& block : ch.RawDataBlocks()) times.push_back(block->GetFirstTime());
    return times;
}

// Two fixed-interval blocks: 1000 to 1400 ms and 2000 to 2200 ms, every 100 ms.
GCh TwoFixedBlocks()
{
    return ChannelOf({RawDataValidInterval::Create(13, 1000, 100, {1, 2, 3, 4, 5}),
                      RawDataValidInterval::Create(13, 2000, 100, {6, 7, 8})});
}

// Two flagged-counter blocks of raw codes, 1000 to 1400 ms (counter 50) and 2000 to 2200 ms (unflagged).
GCh TwoCountedBlocks()
{
    return ChannelOf({MakeBlock({"GChRawData", 13, 1000, 1400, 1, 50, 100, 5, 2, Codes16({1, 2, 3, 4, 5})}),
                      MakeBlock({"GChRawData", 13, 2000, 2200, 0, 50, 100, 3, 2, Codes16({6, 7, 8})})});
}

struct RangeRow {
    int64_t from, to;
    int64_t firstTime, lastTime;  // -1: the range is empty
    size_t size;                  // items yielded, a break between blocks included
};

void ExpectRanges(const GCh& ch, const std::vector<RangeRow>& rows)
{
    for (const RangeRow& row : rows) {
        SCOPED_TRACE(testing::Message() << "from " << row.from << " to " << row.to);
        const auto [begin, end] = ch.GetDataRange(row.from, row.to);
        const std::vector<ChSample> samples = Collect(begin, end);
        ASSERT_EQ(row.size, samples.size());
        if (row.size == 0) {
            EXPECT_TRUE(begin == ch.end());
            EXPECT_TRUE(end == ch.end());
            continue;
        }
        EXPECT_EQ(row.firstTime, samples.front().time);
        EXPECT_EQ(row.lastTime, samples.back().time);
    }
}

}  // namespace

// One rule for every consumer: a value is data when its magnitude is below the break mark.
TEST(ChConstants, NoDataIsEveryValueNotBelowTheBreakMarkInMagnitude)
{
    constexpr double kInf = std::numeric_limits<double>::infinity();
    const double largest = std::nextafter(BREAK_VALUE, 0.0);
    const struct {
        const char* what;
        double value;
        bool noData;
    } rows[] = {
        {"invalid", INVALID_VALUE, true},
        {"break", BREAK_VALUE, true},
        {"minus invalid (absent lower limit)", -INVALID_VALUE, true},
        {"minus break", -BREAK_VALUE, true},
        {"infinity", kInf, true},
        {"minus infinity", -kInf, true},
        {"NaN", std::numeric_limits<double>::quiet_NaN(), true},
        {"negative NaN", -std::numeric_limits<double>::quiet_NaN(), true},
        {"largest ordinary value", largest, false},
        {"its negative", -largest, false},
        {"zero", 0.0, false},
        {"negative zero", -0.0, false},
        {"smallest subnormal", std::numeric_limits<double>::denorm_min(), false},
        {"a reading", -21.5, false},
    };
    for (const auto& row : rows) EXPECT_EQ(row.noData, IsNoData(row.value)) << row.what;
}

TEST(GCh, CopyOfAnEmptyChannelSavesAVersion1RecordWithoutBlocks)
{
    const EmptyCh empty;
    const GCh ch(empty);
    ExpectSameChannel(empty, ch);

    const std::string saved = Saved(ch);
    EXPECT_EQ(Stored(kEmpty, {}).Str(), saved);
    EXPECT_EQ(std::string("\x01\0\0\0\0\0\0", 7), saved.substr(0, 7))
        << "version, serial, empty model as 00 00";
    EXPECT_EQ('\xFF', saved[1 + 4 + 4 * 2 + 8 + 4 + 2]) << "decimal places -1";
    EXPECT_EQ(std::string("\0\0\0\0\0", 5), saved.substr(saved.size() - 5)) << "texts, 0 blocks, property 0";
    GCh loaded;
    ASSERT_TRUE(LoadInto(loaded, saved).Ok());
    ExpectSameChannel(empty, loaded);
}

TEST(GCh, CopyHoldsBlocksOfItsOwn)
{
    GCh source = MakeChannel(kGreenhouse, ThreeBlocks());
    const GCh copy(static_cast<const ICh&>(source));
    const auto clone = source.Clone();
    ExpectSameChannel(source, copy);
    const std::vector<ChSample> before = Samples(source);

    source.GetRawData().front()->DeleteBefore(std::numeric_limits<int64_t>::max());
    EXPECT_EQ(4, source.RawDataBlocks().front()->GetCount()) << "GetRawData hands out copies";

    for (const auto& block : source.RawDataBlocks()) block->ShiftTime(5000);
    const GCh cloned(*clone);
    for (const GCh* ch : {&copy, &cloned}) {
        const std::vector<ChSample> after = Samples(*ch);
        ASSERT_EQ(before.size(), after.size());
        for (size_t i = 0; i < before.size(); ++i) EXPECT_EQ(before[i].time, after[i].time);
    }
    ExpectSameChannel(copy, *clone);
}

TEST(GChSerialization, WritesEachItemInOrder)
{
    EXPECT_EQ(Stored(kGreenhouse, ThreeBlocks()).Str(), Saved(MakeChannel(kGreenhouse, ThreeBlocks())));
}

TEST(GChSerialization, RoundTripKeepsAttributesAndEveryBlockClass)
{
    const GCh original = MakeChannel(kGreenhouse, ThreeBlocks());
    GCh loaded;
    ASSERT_TRUE(LoadInto(loaded, Saved(original)).Ok());
    ExpectSameChannel(original, loaded);

    const std::vector<ChSample> a = Samples(original), b = Samples(loaded);
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) EXPECT_EQ(a[i].value, b[i].value) << i;
}

TEST(GChSerialization, Version0StreamEndsAfterTheBlocksWithRecordPropertyZero)
{
    const std::string stream = Stored(kGreenhouse, ThreeBlocks(), 0).Str() + "\x7E";
    std::istringstream in(stream);
    GCh loaded;
    loaded.SetRecordProp(9);
    loaded.LoadImpl(in);
    EXPECT_EQ(0, loaded.GetRecordProp());
    EXPECT_EQ(3u, loaded.RawDataBlocks().size());
    EXPECT_EQ('\x7E', in.get()) << "the byte after the last block is not part of the channel";
}

TEST(GChSerialization, RefusesBrokenContent)
{
    std::vector<BlockFields> unknown = ThreeBlocks();
    unknown[1].className = "RawDataSomething";
    std::string blockVersion1 = Stored(kGreenhouse, ThreeBlocks()).Str();
    blockVersion1[Stored(kGreenhouse, {}).Size() - 1 + 2 + 2 * 10] = 1;  // after block count and class name
    struct Row {
        const char* what;
        std::string stream;
        int32_t code;
        int32_t location;
    };
    const Row rows[] = {
        {"version 2", Stored(kGreenhouse, {}, 2).Str(), kBrokenFile, 731},
        {"version 255", Stored(kGreenhouse, {}, 255).Str(), kBrokenFile, 731},
        {"unknown block class", Stored(kGreenhouse, unknown).Str(), kBrokenFile, 752},
        {"block version 1", blockVersion1, kBrokenFile, 830},
    };
    for (const Row& row : rows) {
        GCh loaded;
        const Result r = LoadInto(loaded, row.stream);
        EXPECT_EQ(row.code, r.code) << row.what;
        EXPECT_EQ(row.location, r.location) << row.what;
    }
}

TEST(GChSerialization, TruncatedStreamNamesTheFieldBeingRead)
{
    ExpectEveryCutNamesItsField<GCh>(Stored(kGreenhouse, ThreeBlocks()));
    ExpectEveryCutNamesItsField<GCh>(Stored(kEmpty, {}));
}

TEST(GChSerialization, FullDeviceNamesTheFieldBeingWritten)
{
    ExpectEveryFullDeviceNamesItsField(MakeChannel(kGreenhouse, ThreeBlocks()),
                                       Stored(kGreenhouse, ThreeBlocks()));
}

TEST(GChSerialization, BlockOneByteShortIsNotSaved)
{
    std::vector<BlockFields> blocks = ThreeBlocks();
    blocks[2].data.pop_back();
    const Result r = ResultOf([&] { Saved(MakeChannel(kGreenhouse, blocks)); });
    EXPECT_EQ(kBadBlock, r.code);
    EXPECT_EQ(810, r.location);
}

TEST(GChSerialization, HugeCountsInAShortStreamFailAtOnce)
{
    ChannelBytes manyBlocks = Stored(kGreenhouse, {}, 0);
    std::string stream = manyBlocks.Str();
    stream[stream.size() - 2] = stream[stream.size() - 1] = '\xFF';  // 65535 blocks, none present

    std::vector<BlockFields> blocks = {
        {"RawDataInvalidInterval", 13, 0, 0, 0, 0, NO_INTERVAL, 0x7FFFFFFF, 16, TimedDoubles({{0, 1.0}})}};
    const struct {
        std::string stream;
        int32_t location;
    } rows[] = {{stream, 751}, {Stored(kGreenhouse, blocks).Str(), 839}};
    for (const auto& row : rows) {
        GCh loaded;
        const Result r = LoadInto(loaded, row.stream);
        EXPECT_EQ(kReadFailed, r.code);
        EXPECT_EQ(row.location, r.location);
    }
}

TEST(GCh, DataRangeOfFixedIntervalBlocksReachesOneRecordBeyondTheWindow)
{
    ExpectRanges(TwoFixedBlocks(), {
                                       {-5, -1, 1000, 2200, 9},  // negative bounds: everything
                                       {1200, 1300, 1100, 1400, 4},
                                       {1250, 1250, 1100, 1300, 3},
                                       {1000, 1000, 1000, 1100, 2},
                                       {-100, 1100, 1000, 1200, 3},
                                       {1350, 2050, 1200, 2100, 6},  // across the break
                                       {1400, 2000, 1300, 2100, 5},
                                       {2150, -1, 2000, 2200, 3},
                                       {0, 500, -1, -1, 0},      // before the first block
                                       {1500, 1900, -1, -1, 0},  // between the blocks
                                       {3000, 4000, -1, -1, 0},  // after the last block
                                   });
}

TEST(GCh, DataRangeOfRecordsWithoutFixedIntervalSearchesTheirTimes)
{
    auto pairs = std::make_shared<RawDataInvalidInterval>();
    for (int64_t t : {1000, 1003, 1010, 1050, 1100}) pairs->Append(t, double(t));
    ExpectRanges(ChannelOf({pairs}), {
                                         {1005, 1050, 1003, 1100, 4},
                                         {1010, 1010, 1003, 1050, 3},
                                         {900, 1000, 1000, 1003, 2},
                                         {1100, -1, 1050, 1100, 2},
                                         {-1, -1, 1000, 1100, 5},
                                         {0, 999, -1, -1, 0},
                                         {1101, 2000, -1, -1, 0},
                                     });

    auto before1970 = std::make_shared<RawDataInvalidInterval>();
    for (int64_t t : {-200, -100, 50, 100}) before1970->Append(t, double(t));
    ExpectRanges(ChannelOf({before1970}), {
                                              {-150, 60, -100, 100, 3},  // from counts as 0
                                              {-300, -50, -100, 100, 3},
                                          });
}

TEST(GCh, DeleteBeforeRemovesEmptiedBlocksAndFollowsTheRest)
{
    struct Row {
        int64_t time;
        int32_t dataCount;
        int64_t firstTime, lastTime;
        std::vector<int64_t> blockFirstTimes;
        std::vector<int32_t> counters;
    };
    const Row rows[] = {
        {500, 8, 1000, 2200, {1000, 2000}, {50, 50}},
        {1000, 8, 1000, 2200, {1000, 2000}, {50, 50}},
        {1250, 5, 1300, 2200, {1300, 2000}, {47, 50}},
        {2100, 2, 2100, 2200, {2100}, {50}},  // the second block's counter is not flagged
        {2201, 0, NO_TIME, NO_TIME, {}, {}},
        {std::numeric_limits<int64_t>::max(), 0, NO_TIME, NO_TIME, {}, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.time);
        GCh ch = TwoCountedBlocks();
        ch.DeleteBefore(row.time);
        EXPECT_EQ(row.dataCount, ch.GetDataCount());
        EXPECT_EQ(row.firstTime, ch.GetFirstTime());
        EXPECT_EQ(row.lastTime, ch.GetLastTime());
        EXPECT_EQ(row.blockFirstTimes, BlockFirstTimes(ch));
        std::vector<int32_t> counters;
        for (const auto& block : ch.RawDataBlocks()) counters.push_back(block->GetCounter());
        EXPECT_EQ(row.counters, counters);
    }
}

TEST(GCh, DeleteAfterRemovesEmptiedBlocksAndFollowsTheRest)
{
    struct Row {
        int64_t time;
        int32_t dataCount;
        int64_t firstTime, lastTime;
        size_t blocks;
    };
    const Row rows[] = {
        {3000, 8, 1000, 2200, 2},     {2200, 8, 1000, 2200, 2}, {2100, 7, 1000, 2100, 2},
        {1500, 5, 1000, 1400, 1},     {1250, 3, 1000, 1200, 1}, {999, 0, NO_TIME, NO_TIME, 0},
        {-5, 0, NO_TIME, NO_TIME, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.time);
        GCh ch = TwoCountedBlocks();
        ch.DeleteAfter(row.time);
        EXPECT_EQ(row.dataCount, ch.GetDataCount());
        EXPECT_EQ(row.firstTime, ch.GetFirstTime());
        EXPECT_EQ(row.lastTime, ch.GetLastTime());
        EXPECT_EQ(row.blocks, ch.RawDataBlocks().size());
        EXPECT_EQ(size_t(row.dataCount), Samples(ch).size() - (row.blocks > 1 ? row.blocks - 1 : 0));
    }
}

TEST(GCh, ShiftTimeMovesTheChannelAndEveryRecord)
{
    const int64_t offset = -32'400'000;
    GCh ch = MakeChannel(kGreenhouse, ThreeBlocks());
    const std::vector<ChSample> before = Samples(ch);
    ch.ShiftTime(offset);
    const std::vector<ChSample> after = Samples(ch);
    ASSERT_EQ(before.size(), after.size());
    for (size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(before[i].time + offset, after[i].time) << i;
        EXPECT_EQ(before[i].value, after[i].value) << i;
    }
    EXPECT_EQ(kGreenhouse.firstTime + offset, ch.GetFirstTime());
    EXPECT_EQ(kGreenhouse.lastTime + offset, ch.GetLastTime());
    EXPECT_EQ(T0 + offset, ch.RawDataBlocks().front()->GetFirstTime());
    EXPECT_EQ(T0 + 7'200'005 + offset, ch.RawDataBlocks().back()->GetLastTime());
}

TEST(GCh, ShiftTimeOfAnyStoredTimeKeepsChannelAndBlocksTogether)
{
    // A stored channel may claim any time; shifting it must not overflow.
    const int64_t max = std::numeric_limits<int64_t>::max();
    GCh ch = MakeChannel(kGreenhouse,
                         {{"GChRawData", 13, max - 10, max - 10, 0, 0, 600'000, 1, 2, Codes16({1000})}});
    ch.SetFirstTime(max - 10);
    ch.SetLastTime(max - 10);
    ch.ShiftTime(100);
    EXPECT_EQ(ch.RawDataBlocks().front()->GetFirstTime(), ch.GetFirstTime());
    EXPECT_EQ(ch.RawDataBlocks().front()->GetLastTime(), ch.GetLastTime());
    ch.ShiftTime(-100);
    EXPECT_EQ(max - 10, ch.GetFirstTime());
}

// A logger read out twice: the second recording repeats the first one's end. After removing the
// overlaps every record appears once and the channel reads in time order; the sources keep theirs.
TEST(GCh, RemoveOverlapsKeepsTheEarlierBlocksRecords)
{
    GCh first = ChannelOf({RawDataValidInterval::Create(13, 1000, 100, {1, 2, 3, 4})});   // 1000..1300
    const GCh again = ChannelOf({RawDataValidInterval::Create(13, 1300, 100, {9, 5, 6}),  // starts at the end
                                 RawDataValidInterval::Create(13, 1100, 100, {9})});       // inside the first
    first.MergeData(again);
    first.RemoveOverlaps();
    std::vector<ChSample> samples;
    for (const ChSample& s : Samples(first))
        if (s.value != BREAK_VALUE) samples.push_back(s);
    ASSERT_EQ(6u, samples.size());
    for (size_t i = 0; i < samples.size(); ++i) {
        EXPECT_EQ(1000 + 100 * int64_t(i), samples[i].time);
        EXPECT_EQ(double(i + 1), samples[i].value);
    }
    EXPECT_EQ(6, first.GetDataCount());
    EXPECT_EQ(1500, first.GetLastTime());
    EXPECT_EQ(3, again.RawDataBlocks().front()->GetCount()) << "the merged-from channel keeps its records";
}

TEST(GCh, MergeDataInsertsCopiesInTimeOrder)
{
    GCh ch = ChannelOf({RawDataValidInterval::Create(13, 1000, 100, {1, 2}),
                        RawDataValidInterval::Create(13, 3000, 100, {3, 4, 5})});
    const GCh other = ChannelOf(
        {RawDataValidInterval::Create(13, 500, 100, {6}), RawDataValidInterval::Create(13, 2000, 100, {7, 8}),
         std::make_shared<RawDataInvalidInterval>(), RawDataValidInterval::Create(13, 4000, 100, {9, 10})});
    ch.MergeData(other);

    EXPECT_EQ((std::vector<int64_t>{500, 1000, 2000, 3000, 4000}), BlockFirstTimes(ch));
    EXPECT_EQ(10, ch.GetDataCount());
    EXPECT_EQ(500, ch.GetFirstTime());
    EXPECT_EQ(4100, ch.GetLastTime());
    std::vector<double> values;
    for (const ChSample& s : Samples(ch))
        if (s.value != BREAK_VALUE) values.push_back(s.value);
    EXPECT_EQ((std::vector<double>{6, 1, 2, 7, 8, 3, 4, 5, 9, 10}), values);

    ch.ShiftTime(1);
    EXPECT_EQ((std::vector<int64_t>{500, 2000, NO_TIME, 4000}), BlockFirstTimes(other))
        << "the source keeps its blocks";

    GCh empty{EmptyCh()};
    empty.MergeData(other);
    EXPECT_EQ((std::vector<int64_t>{500, 2000, 4000}), BlockFirstTimes(empty));
    EXPECT_EQ(5, empty.GetDataCount());
    EXPECT_EQ(4100, empty.GetLastTime());
}
