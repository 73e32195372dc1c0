#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <limits>
#include <sstream>
#include <vector>

#include "filelib/ChConstants.h"
#include "filelib/ChannelBytes.h"
#include "filelib/GChDataIterator.h"
#include "filelib/GChRawData.h"
#include "filelib/GChRawDataFactory.h"
#include "filelib/RawDataInvalidInterval.h"
#include "filelib/RawDataValidInterval.h"
#include "filelib/TimeMath.h"

using namespace OvGraphFileLib;
using namespace orvel::test;

namespace {

constexpr int32_t kCelsius = 13;
constexpr int32_t kHumidity = 208;

// Five Celsius records every 10 ms from 1000 ms: 10.0 to 14.0 degrees, counter 100.
BlockFields FiveCelsius(int32_t countFlag = 0)
{
    BlockFields fields = {"GChRawData", kCelsius, 1000, 1040, countFlag, 100, 10, 5, 2, {}};
    fields.data = Codes16({1100, 1110, 1120, 1130, 1140});
    return fields;
}

std::shared_ptr<RawDataInvalidInterval> Pairs(const std::vector<ChSample>& samples)
{
    auto block = std::make_shared<RawDataInvalidInterval>();
    block->SetChType(kCelsius);
    for (const ChSample& s : samples) block->Append(s.time, s.value);
    return block;
}

std::vector<int64_t> TimesOf(const GChRawData& block)
{
    std::vector<int64_t> times;
    for (int32_t i = 0; i < block.GetCount(); ++i) times.push_back(block.GetTime(i));
    return times;
}

std::vector<ChSample> Walk(const RawDataList& blocks)
{
    std::vector<ChSample> samples;
    for (auto it = GChDataIterator::Begin(blocks); it != GChDataIterator::End(blocks); ++it)
        samples.push_back(*it);
    return samples;
}

void ExpectSamples(const std::vector<ChSample>& expected, const std::vector<ChSample>& actual)
{
    ASSERT_EQ(expected.size(), actual.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(expected[i].time, actual[i].time) << "sample " << i;
        EXPECT_EQ(expected[i].value, actual[i].value) << "sample " << i;
    }
}

}  // namespace

TEST(GChRawData, ValueDecodesTheRawCodeThroughTheChannelType)
{
    struct Row {
        int32_t chType;
        uint8_t elementSize;
        std::vector<uint8_t> record;
        double expected;
    };
    const Row rows[] = {
        {kCelsius, 2, Codes16({1250}), 25.0},
        {kCelsius, 2, Codes16({800}), -20.0},
        {kCelsius, 2, Codes16({0xEEEE}), INVALID_VALUE},
        {kHumidity, 2, Codes16({1655}), 65.0},
        {kHumidity, 2, Codes16({0xEEEE}), INVALID_VALUE},
        {0, 2, Codes16({0xEEEE}), 61166.0},  // an unlisted type has no no-data code
        {333, 4, {0x70, 0x11, 0x01, 0x00}, 70000.0},
    };
    for (const Row& row : rows) {
        const auto block =
            MakeBlock({"GChRawData", row.chType, 0, 0, 0, 0, 1000, 1, row.elementSize, row.record});
        EXPECT_EQ(row.expected, block->GetValue(0)) << "type " << row.chType;
        EXPECT_EQ(INVALID_VALUE, block->GetValue(1)) << "past the last record";
    }
}

TEST(GChRawData, DeleteBeforeDropsFrontRecordsAndCountsDownFlaggedCounter)
{
    struct Row {
        int32_t countFlag;
        int64_t time;
        std::vector<int64_t> times;
        int64_t firstTime;
        int64_t lastTime;
        int32_t counter;
        double firstValue;
    };
    const Row rows[] = {
        {0, 1000, {1000, 1010, 1020, 1030, 1040}, 1000, 1040, 100, 10.0},  // at the first record
        {1, 999, {1000, 1010, 1020, 1030, 1040}, 1000, 1040, 100, 10.0},
        {0, 1025, {1030, 1040}, 1030, 1040, 100, 13.0},
        {1, 1025, {1030, 1040}, 1030, 1040, 97, 13.0},
        {1, 1030, {1030, 1040}, 1030, 1040, 97, 13.0},
        {1, 1041, {}, NO_TIME, NO_TIME, 95, INVALID_VALUE},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.time);
        const auto block = MakeBlock(FiveCelsius(row.countFlag));
        block->DeleteBefore(row.time);
        EXPECT_EQ(row.times, TimesOf(*block));
        EXPECT_EQ(row.firstTime, block->GetFirstTime());
        EXPECT_EQ(row.lastTime, block->GetLastTime());
        EXPECT_EQ(row.counter, block->GetCounter());
        EXPECT_EQ(row.firstValue, block->GetValue(0));
        EXPECT_EQ(size_t(block->GetCount()) * 2, block->GetData().size());
    }
}

TEST(GChRawData, DeleteAfterKeepsRecordsAtOrBeforeTheTime)
{
    struct Row {
        int64_t time;
        std::vector<int64_t> times;
        int64_t lastTime;
    };
    const Row rows[] = {
        {1040, {1000, 1010, 1020, 1030, 1040}, 1040},
        {1015, {1000, 1010}, 1010},
        {1010, {1000, 1010}, 1010},
        {999, {}, NO_TIME},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.time);
        const auto block = MakeBlock(FiveCelsius(1));
        block->DeleteAfter(row.time);
        EXPECT_EQ(row.times, TimesOf(*block));
        EXPECT_EQ(row.lastTime, block->GetLastTime());
        EXPECT_EQ(100, block->GetCounter()) << "only front removal counts down";
        EXPECT_EQ(size_t(block->GetCount()) * 2, block->GetData().size());
    }
}

TEST(RawDataInvalidInterval, DeleteFollowsTheStoredTimes)
{
    struct Row {
        bool before;
        int64_t time;
        std::vector<int64_t> times;
        std::vector<double> values;
    };
    const Row rows[] = {
        {true, 6, {30, 31, 100}, {3, 4, 5}},       {true, 30, {30, 31, 100}, {3, 4, 5}}, {true, 101, {}, {}},
        {false, 31, {0, 5, 30, 31}, {1, 2, 3, 4}}, {false, 29, {0, 5}, {1, 2}},          {false, -1, {}, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.time);
        const auto block = Pairs({{0, 1}, {5, 2}, {30, 3}, {31, 4}, {100, 5}});
        row.before ? block->DeleteBefore(row.time) : block->DeleteAfter(row.time);
        EXPECT_EQ(row.times, TimesOf(*block));
        std::vector<double> values;
        for (int32_t i = 0; i < block->GetCount(); ++i) values.push_back(block->GetValue(i));
        EXPECT_EQ(row.values, values);
        EXPECT_EQ(row.times.empty() ? NO_TIME : row.times.front(), block->GetFirstTime());
        EXPECT_EQ(row.times.empty() ? NO_TIME : row.times.back(), block->GetLastTime());
    }
}

TEST(GChRawData, ShiftTimeMovesEveryRecordOfEachClass)
{
    const int64_t offset = -3'600'000;
    const std::shared_ptr<GChRawData> blocks[] = {
        MakeBlock(FiveCelsius()),
        RawDataValidInterval::Create(kCelsius, 5000, 60'000, {1.5, 2.5, 3.5}),
        Pairs({{7000, 1}, {7003, 2}, {7100, 3}}),
    };
    for (const auto& block : blocks) {
        SCOPED_TRACE(block->GetClassName());
        std::vector<int64_t> expected = TimesOf(*block);
        for (int64_t& t : expected) t += offset;
        const int64_t first = block->GetFirstTime() + offset, last = block->GetLastTime() + offset;
        const double value = block->GetValue(1);
        block->ShiftTime(offset);
        EXPECT_EQ(expected, TimesOf(*block));
        EXPECT_EQ(first, block->GetFirstTime());
        EXPECT_EQ(last, block->GetLastTime());
        EXPECT_EQ(value, block->GetValue(1));
    }
}

TEST(GChRawDataFactory, CreatesAnEmptyBlockOfEachStoredClass)
{
    for (const char* name : {"GChRawData", "RawDataValidInterval", "RawDataInvalidInterval"}) {
        const auto block = GChRawDataFactory::Instance().Create(name);
        ASSERT_NE(nullptr, block) << name;
        EXPECT_EQ(name, block->GetClassName());
        EXPECT_EQ(0, block->GetCount());
        EXPECT_EQ(NO_TIME, block->GetFirstTime());
        EXPECT_EQ(NO_TIME, block->GetLastTime());
    }
    EXPECT_EQ(nullptr, GChRawDataFactory::Instance().Create("GCh"));
    EXPECT_EQ(nullptr, GChRawDataFactory::Instance().Create(""));
}

TEST(GChRawData, ClassesDecodeTheirOwnRecordLayouts)
{
    // A double per record (21.5, -3.25), and a (time, double) pair per record.
    const auto valid = MakeBlock({"RawDataValidInterval",
                                  kCelsius,
                                  2000,
                                  2010,
                                  0,
                                  0,
                                  10,
                                  2,
                                  8,
                                  {0, 0, 0, 0, 0, 0x80, 0x35, 0x40, 0, 0, 0, 0, 0, 0, 0x0A, 0xC0}});
    EXPECT_EQ(21.5, valid->GetValue(0));
    EXPECT_EQ(-3.25, valid->GetValue(1));
    EXPECT_EQ(2010, valid->GetTime(1));
    const auto pairs = MakeBlock({"RawDataInvalidInterval", kCelsius, 7, 1'700'000'000'123, 0, 0, NO_INTERVAL,
                                  2, 16, TimedDoubles({{7, 1.5}, {1'700'000'000'123, INVALID_VALUE}})});
    EXPECT_EQ(1'700'000'000'123, pairs->GetTime(1));
    EXPECT_EQ(1.5, pairs->GetValue(0));
    EXPECT_EQ(INVALID_VALUE, pairs->GetValue(1));
}

TEST(GChRawDataSerialization, RoundTripKeepsEveryFieldOfEachClass)
{
    const std::shared_ptr<GChRawData> blocks[] = {
        MakeBlock(FiveCelsius(1)),
        RawDataValidInterval::Create(kHumidity, 5000, 60'000, {45.0, INVALID_VALUE, 47.5}),
        Pairs({{-5000, 1}, {7003, 2}, {7100, 3}}),
        GChRawDataFactory::Instance().Create("RawDataInvalidInterval"),
    };
    for (const auto& block : blocks) {
        SCOPED_TRACE(block->GetClassName());
        const auto loaded = GChRawDataFactory::Instance().Create(block->GetClassName());
        ASSERT_TRUE(LoadInto(*loaded, Saved(*block)).Ok());
        ExpectSameBlock(*block, *loaded);
    }
}

TEST(GChRawDataSerialization, RefusesContentThatCannotBeABlock)
{
    struct Row {
        const char* what;
        BlockFields fields;
        uint8_t version;
        int32_t code;
        int32_t location;
    };
    const Row rows[] = {
        {"version 1", FiveCelsius(), 1, kBrokenFile, 830},
        {"negative count", {"GChRawData", kCelsius, 0, 0, 0, 0, 10, -1, 2, {}}, 0, kBrokenFile, 837},
        {"3-byte records", {"GChRawData", kCelsius, 0, 0, 0, 0, 10, 1, 3, {1, 2, 3}}, 0, kBrokenFile, 838},
        {"2-byte doubles",
         {"RawDataValidInterval", kCelsius, 0, 0, 0, 0, 10, 1, 2, {1, 2}},
         0,
         kBrokenFile,
         838},
        {"8-byte pairs",
         {"RawDataInvalidInterval", kCelsius, 0, 0, 0, 0, -1, 1, 8, LittleEndian64(1)},
         0,
         kBrokenFile,
         838},
        {"huge count",
         {"GChRawData", kCelsius, 0, 0, 0, 0, 10, 0x7FFFFFFF, 4, {1, 2, 3, 4}},
         0,
         kReadFailed,
         839},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ChannelBytes bytes;
        AppendBlock(bytes, row.fields);
        std::string stream = bytes.Str();
        stream[0] = char(row.version);
        const auto block = GChRawDataFactory::Instance().Create(row.fields.className);
        const Result r = LoadInto(*block, stream);
        EXPECT_EQ(row.code, r.code);
        EXPECT_EQ(row.location, r.location);
        EXPECT_EQ("OvGraphFileLib::GChRawData::LoadImpl", r.where);
    }
}

TEST(GChRawDataSerialization, BlockWithWrongDataSizeIsNotSaved)
{
    for (const size_t size : {size_t(9), size_t(11)}) {
        BlockFields fields = FiveCelsius();  // five 2-byte records
        fields.data.resize(size);
        const Result r = ResultOf([&] { Saved(*MakeBlock(fields)); });
        EXPECT_EQ(kBadBlock, r.code) << size;
        EXPECT_EQ(810, r.location) << size;
        EXPECT_EQ("OvGraphFileLib::GChRawData::SaveImpl", r.where);
    }
}

TEST(GChDataIterator, YieldsABreakBetweenBlocksAndNoneAfterTheLast)
{
    const RawDataList blocks = {MakeBlock(FiveCelsius()), Pairs({{2000, 7.5}, {2003, 8.5}})};
    ExpectSamples({{1000, 10.0},
                   {1010, 11.0},
                   {1020, 12.0},
                   {1030, 13.0},
                   {1040, 14.0},
                   {1041, BREAK_VALUE},
                   {2000, 7.5},
                   {2003, 8.5}},
                  Walk(blocks));
    const ChSample past = *GChDataIterator::End(blocks);
    EXPECT_EQ(NO_TIME, past.time);
    EXPECT_EQ(INVALID_VALUE, past.value);
}

TEST(GChDataIterator, EmptyBlocksYieldNothing)
{
    const auto empty = [] { return GChRawDataFactory::Instance().Create("RawDataValidInterval"); };
    const RawDataList blocks = {empty(), Pairs({{10, 1}}), empty(), Pairs({{20, 2}, {30, 3}})};
    ExpectSamples({{10, 1}, {11, BREAK_VALUE}, {20, 2}, {30, 3}}, Walk(blocks));

    const RawDataList none;
    EXPECT_TRUE(GChDataIterator::Begin(none) == GChDataIterator::End(none));
    const RawDataList onlyEmpty = {empty(), empty()};
    EXPECT_TRUE(GChDataIterator::Begin(onlyEmpty) == GChDataIterator::End(onlyEmpty));
    EXPECT_EQ(NO_TIME, (*GChDataIterator::Begin(onlyEmpty)).time);
}

TEST(GChDataIterator, BreakAfterARecordAtTheLargestTimeIsStillYielded)
{
    // A stored channel may claim any record time; walking it must not overflow.
    const RawDataList blocks = {Pairs({{std::numeric_limits<int64_t>::max(), 1}}), Pairs({{5, 2}})};
    const std::vector<ChSample> samples = Walk(blocks);
    ASSERT_EQ(3u, samples.size());
    EXPECT_EQ(BREAK_VALUE, samples[1].value);
    EXPECT_EQ(2, samples[2].value);
}

namespace {

// Every item a walk over the blocks must yield, from each block's own GetTime and GetValue, with
// the (block, record) position of each.
struct Expected {
    std::vector<ChSample> items;
    std::vector<std::pair<size_t, int32_t>> positions;
};

Expected ExpectedWalk(const RawDataList& blocks)
{
    Expected expected;
    for (size_t b = 0; b < blocks.size(); ++b) {
        const GChRawData& block = *blocks[b];
        for (int32_t i = 0; i < block.GetCount(); ++i) {
            expected.items.push_back({block.GetTime(i), block.GetValue(i)});
            expected.positions.emplace_back(b, i);
        }
        if (block.GetCount() > 0 && b + 1 < blocks.size()) {
            expected.items.push_back({RecordTime(block.GetTime(block.GetCount() - 1), 1, 1), BREAK_VALUE});
            expected.positions.emplace_back(b, block.GetCount());
        }
    }
    return expected;
}

// Same bits: NaN from arbitrary record bytes compares equal to itself.
void ExpectSameItems(const std::vector<ChSample>& expected, const std::vector<ChSample>& actual, size_t from)
{
    ASSERT_EQ(expected.size() - from, actual.size());
    for (size_t i = 0; i < actual.size(); ++i) {
        ASSERT_EQ(expected[from + i].time, actual[i].time) << "item " << from + i;
        ASSERT_EQ(std::bit_cast<uint64_t>(expected[from + i].value), std::bit_cast<uint64_t>(actual[i].value))
            << "item " << from + i << ": " << expected[from + i].value << " vs " << actual[i].value;
    }
}

std::vector<ChSample> WalkFrom(GChDataIterator it, const RawDataList& blocks)
{
    std::vector<ChSample> samples;
    for (; it != GChDataIterator::End(blocks); ++it) samples.push_back(*it);
    return samples;
}

// Everything from `it` on, read in batches; the iterator ends where a step-by-step walk ends.
std::vector<ChSample> ReadFrom(GChDataIterator it, const RawDataList& blocks, size_t batch)
{
    std::vector<ChSample> samples;
    std::vector<ChSample> buffer(batch);
    while (const size_t n = it.Read(buffer.data(), batch))
        samples.insert(samples.end(), buffer.begin(), buffer.begin() + ptrdiff_t(n));
    EXPECT_TRUE(it == GChDataIterator::End(blocks));
    return samples;
}

}  // namespace

// The iterator decodes a chunk at a time; what it yields must be exactly what each block answers
// record by record, for every block class, across chunk and block boundaries.
TEST(GChDataIterator, YieldsWhatEachBlockClassAnswersRecordByRecord)
{
    struct Row {
        const char* className;
        int32_t chType;
        uint8_t elementSize;
        int64_t interval;
    };
    const Row rows[] = {
        {"GChRawData", kCelsius, 2, 1000},
        {"GChRawData", kCelsius, 2, NO_INTERVAL},  // every record at the first time
        {"GChRawData", kHumidity, 2, std::numeric_limits<int64_t>::max() / 3},  // times wrap
        {"GChRawData", 589, 4, 60'000},
        {"FileKmvChRawData", kCelsius, 2, 1000},
        {"FileKmvChRawData", 85, 2, 600'000},
        {"FileKmvChCumulativeRawData", 86, 10, NO_INTERVAL},
        {"FileKmqChRawData", kCelsius, 2, 1000},
        {"FileKmqChRawData", 146, 2, 1000},  // volts: the code's value divided by 1000
        {"FileKmqChRawData", 269, 10, NO_INTERVAL},  // records carry their own times
        {"FileKmqChRawData", 269, 10, 1000},         // ... whatever interval the file names
        {"FileKmqChRawData", 589, 4, 60'000},
        {"FileKmwChRawData", kCelsius, 2, 1000},
        {"FileKn1ChRawData", kCelsius, 2, 1000},
        {"FileKn2ChRawData", kCelsius, 2, 1000},
        {"FileKs2ChRawData", kCelsius, 2, 1000},
        {"FileKe8ChRawData", kCelsius, 2, 1000},
        {"FileCraChRawData", kCelsius, 16, NO_INTERVAL},
        {"FileKmvChCumulativeRawData", 86, 10, 600'000},
        {"DssChRawData", kCelsius, 2, 1000},
        {"RawDataValidInterval", kCelsius, 8, 250},
        {"RawDataInvalidInterval", kCelsius, 16, NO_INTERVAL},
    };
    // Empty blocks, and counts either side of the iterator's 64-item chunk (the break item fits
    // in the last chunk or starts one of its own).
    const int32_t counts[] = {0, 1, 63, 0, 64, 65, 130, 3};
    uint32_t seed = 12345;
    auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.className << " type " << row.chType << " size "
                                        << int(row.elementSize) << " interval " << row.interval);
        RawDataList blocks;
        int64_t first = 1'700'000'000'000;
        for (const int32_t count : counts) {
            std::vector<uint8_t> data(size_t(count) * row.elementSize);
            for (uint8_t& byte : data) byte = uint8_t(next() >> 24);
            // Plant no-data codes in the last two bytes of some records.
            for (int32_t i = 0; i < count; i += 5) {
                const uint16_t code = i % 10 == 0 ? 0xEEEE : 0xFFFF;
                data[size_t(i) * row.elementSize + row.elementSize - 2] = uint8_t(code);
                data[size_t(i) * row.elementSize + row.elementSize - 1] = uint8_t(code >> 8);
            }
            const int64_t last = count == 0 ? NO_TIME : RecordTime(first, std::max<int64_t>(row.interval, 0), count - 1);
            blocks.push_back(MakeBlock({row.className, row.chType, count == 0 ? NO_TIME : first, last, 0, 0,
                                        row.interval, count, row.elementSize, data}));
            first += 10'000'000;
        }
        const Expected expected = ExpectedWalk(blocks);
        ExpectSameItems(expected.items, Walk(blocks), 0);
        for (const size_t batch : {size_t(1), size_t(7), size_t(64), size_t(1000)}) {
            SCOPED_TRACE(testing::Message() << "read in batches of " << batch);
            ExpectSameItems(expected.items, ReadFrom(GChDataIterator::Begin(blocks), blocks, batch), 0);
        }

        // Started part way (as a range is), and resumed from copies taken part way.
        for (size_t i = 0; i < expected.positions.size(); i += 13) {
            const auto [block, record] = expected.positions[i];
            SCOPED_TRACE(testing::Message() << "from block " << block << " record " << record);
            GChDataIterator it(&blocks, block, record);
            ExpectSameItems(expected.items, WalkFrom(it, blocks), i);
            GChDataIterator copy = it;
            const GChDataIterator before = copy++;
            EXPECT_TRUE(before == it);
            if (i + 1 < expected.items.size()) ExpectSameItems(expected.items, WalkFrom(copy, blocks), i + 1);
            ExpectSameItems(expected.items, ReadFrom(it, blocks, 10), i);
        }
    }
}
