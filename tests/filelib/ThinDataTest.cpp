#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "filelib/ChConstants.h"
#include "filelib/GCh.h"
#include "filelib/RawDataInvalidInterval.h"
#include "filelib/RawDataValidInterval.h"
#include "filelib/ThinData.h"

using namespace OvGraphFileLib;

namespace {

constexpr double INV = INVALID_VALUE;
constexpr double BRK = BREAK_VALUE;
constexpr int64_t kMinute = 60'000;
constexpr int64_t kHour = 60 * kMinute;
constexpr int64_t kDay0 = 1'780'012'800'000;  // a midnight, UTC

using Records = std::vector<std::pair<int64_t, double>>;
using Blocks = std::vector<Records>;

// A channel of explicit-time blocks at a nominal interval.
std::shared_ptr<GCh> ChannelOf(const Blocks& blocks, int64_t interval)
{
    auto channel = std::make_shared<GCh>();
    channel->SetChType(13);
    channel->SetInterval(interval);
    RawDataList list;
    for (const Records& records : blocks) {
        auto block = std::make_shared<RawDataInvalidInterval>();
        block->SetChType(13);
        for (const auto& [time, value] : records) block->Append(time, value);
        list.push_back(block);
    }
    channel->SetRawData(std::move(list));
    return channel;
}

Blocks BlocksOf(const GCh& channel)
{
    Blocks blocks;
    for (const auto& block : channel.RawDataBlocks()) {
        Records records;
        for (int32_t i = 0; i < block->GetCount(); ++i) records.push_back({block->GetTime(i), block->GetValue(i)});
        blocks.push_back(records);
    }
    return blocks;
}

std::string Show(const Blocks& blocks)
{
    std::string text;
    for (const Records& records : blocks) {
        text += "[";
        for (const auto& [time, value] : records)
            text += " " + std::to_string((time - kDay0) / 1000) + "s=" +
                    (value == INV ? "INV" : value == BRK ? "BRK" : std::to_string(value));
        text += " ]";
    }
    return text;
}

// t in seconds after kDay0.
int64_t S(int64_t seconds) { return kDay0 + seconds * 1000; }

TEST(ThinData, WindowsByMethodAndStrictness)
{
    struct Case {
        const char* what;
        Blocks input;
        int64_t interval, window, origin;
        int32_t method;
        uint32_t lenient;
        Blocks expected;
    };
    const Blocks withInvalid = {{{S(0), 1.0}, {S(10), INV}, {S(20), 3.0}}};
    // Two blocks with a gap: the break item (last record + 1 ms) falls in the window [30, 40).
    const Blocks twoBlocks = {{{S(0), 5.0}, {S(10), 6.0}, {S(30), 7.0}}, {{S(50), 2.0}, {S(60), 4.0}}};
    const Case cases[] = {
        {"average lenient skips the invalid", withInvalid, 10'000, 30'000, kDay0, 4, 1, {{{S(20), 2.0}}}},
        {"average strict is spoilt", withInvalid, 10'000, 30'000, kDay0, 4, 0, {{{S(20), INV}}}},
        {"minimum strict is spoilt", withInvalid, 10'000, 30'000, kDay0, 1, 0, {{{S(20), INV}}}},
        {"maximum lenient", withInvalid, 10'000, 30'000, kDay0, 2, 1, {{{S(20), 3.0}}}},
        {"sum lenient", withInvalid, 10'000, 30'000, kDay0, 3, 1, {{{S(20), 4.0}}}},
        {"sampling takes an invalid first value", {{{S(0), INV}, {S(10), 2.0}}}, 10'000, 20'000, kDay0, 0, 0,
         {{{S(0), INV}}}},
        // Windows of 20 s from 0: [0,20) {5,6}, [20,40) {7, break}, [40,60) {2}, [60,80) {4}.
        {"strict maximum ends the block at a window with the break", twoBlocks, 10'000, 20'000, kDay0, 2, 0,
         {{{S(10), 6.0}}, {{S(50), 2.0}, {S(70), 4.0}}}},
        {"strict sum likewise", twoBlocks, 10'000, 20'000, kDay0, 3, 0, {{{S(10), 11.0}}, {{S(50), 2.0}, {S(70), 4.0}}}},
        {"lenient maximum skips the break", twoBlocks, 10'000, 20'000, kDay0, 2, 1,
         {{{S(10), 6.0}, {S(30), 7.0}, {S(50), 2.0}, {S(70), 4.0}}}},
        {"sampling keeps the window's first record across the break", twoBlocks, 10'000, 20'000, kDay0, 0, 0,
         {{{S(0), 5.0}, {S(20), 7.0}, {S(40), 2.0}, {S(60), 4.0}}}},
        // [0,10) {1}, [10,20) empty, [20,30) {3}.
        {"empty minimum window is invalid", {{{S(0), 1.0}, {S(25), 3.0}}}, 5'000, 10'000, kDay0, 1, 0,
         {{{S(5), 1.0}, {S(15), INV}, {S(25), 3.0}}}},
        {"empty sampling window ends the block", {{{S(0), 1.0}, {S(25), 3.0}}}, 5'000, 10'000, kDay0, 0, 0,
         {{{S(0), 1.0}}, {{S(20), 3.0}}}},
        // A strict window holding both a break and an invalid sample ends the block.
        {"strict break wins over invalid", {{{S(0), 1.0}, {S(10), INV}}, {{S(30), 2.0}}}, 10'000, 20'000, kDay0, 2, 0,
         {{{S(30), 2.0}}}},
        {"maximum of negative values", {{{S(0), -5.0}, {S(10), -3.0}}}, 10'000, 20'000, kDay0, 2, 0, {{{S(10), -3.0}}}},
        // Records before the origin fall in the window that starts at the origin, not one before it.
        {"records before the origin", {{{S(20), 4.0}, {S(40), 2.0}, {S(55), 3.0}}}, 10'000, 20'000, S(45), 2, 0,
         {{{S(55), 4.0}}}},
        // Without a fixed interval the value methods stamp the window's last millisecond.
        {"no fixed interval", {{{S(0), 1.0}, {S(10), 2.0}}}, -1, 20'000, kDay0, 4, 0, {{{S(20) - 1, 1.5}}}},
        // The first window holds the first record: origin 7 s, records from 30 s -> windows [27,37), ...
        {"origin before the first record", {{{S(30), 1.0}, {S(40), 2.0}}}, 10'000, 10'000, S(7), 0, 0,
         {{{S(27), 1.0}, {S(37), 2.0}}}},
        // Origin after the first record: the first window starts at the origin and also takes the
        // records before it.
        {"origin after the first record", {{{S(30), 4.0}, {S(40), 2.0}, {S(55), 3.0}, {S(70), 1.0}}}, 10'000, 20'000,
         S(45), 2, 0, {{{S(55), 4.0}, {S(75), 1.0}}}},
    };
    for (const Case& c : cases) {
        const auto source = ChannelOf(c.input, c.interval);
        const ThinDataResult thinned = ThinData(*source, {c.window, c.origin, c.method, c.lenient});
        ASSERT_TRUE(thinned.result.Ok()) << c.what;
        EXPECT_EQ(Show(BlocksOf(*thinned.channel)), Show(c.expected)) << c.what;
        EXPECT_EQ(thinned.channel->GetInterval(), c.window) << c.what;
    }
}

// One day of one-minute samples thinned by the hour: the maximum of 00:00 to 00:59 is stamped
// 00:59, the sample 00:00; the result keeps the source's attributes.
TEST(ThinData, HourlyFromMinuteRecording)
{
    std::vector<double> values;
    for (int i = 0; i < 24 * 60; ++i) values.push_back(double(i % 60) + (i / 60) * 0.5);
    auto source = std::make_shared<GCh>();
    source->SetChName(u"Ch.1");
    source->SetChType(13);
    source->SetInterval(kMinute);
    source->SetDecimalPlaces(2);
    source->SetRawData({RawDataValidInterval::Create(13, kDay0, kMinute, values)});

    const auto maximum = ThinData(*source, {kHour, kDay0, 2, 0});
    ASSERT_TRUE(maximum.result.Ok());
    const GCh& hourly = *maximum.channel;
    EXPECT_EQ(hourly.GetDataCount(), 24);
    EXPECT_EQ(hourly.GetFirstTime(), kDay0 + 59 * kMinute);
    EXPECT_EQ(hourly.GetLastTime(), kDay0 + 23 * kHour + 59 * kMinute);
    EXPECT_EQ(hourly.GetChName(), u"Ch.1");
    EXPECT_EQ(hourly.GetDecimalPlaces(), 2);
    EXPECT_EQ(hourly.GetInterval(), kHour);
    const auto blocks = BlocksOf(hourly);
    ASSERT_EQ(blocks.size(), 1u);
    EXPECT_DOUBLE_EQ(blocks[0][3].second, 59 + 1.5);

    const auto sample = ThinData(*source, {kHour, kDay0, 0, 0});
    EXPECT_EQ(sample.channel->GetFirstTime(), kDay0);
    EXPECT_EQ(BlocksOf(*sample.channel)[0][1].second, 0.5);
    EXPECT_EQ(source->GetDataCount(), 24 * 60) << "the source is only read";
}

TEST(ThinData, RefusedParameters)
{
    const auto source = ChannelOf({{{S(0), 1.0}, {S(10), 2.0}}, {{S(400'000'000), 3.0}}}, 10'000);
    struct Case {
        ThinDataPrm prm;
        int32_t location;
    } const cases[] = {
        {{0, 0, 0, 0}, 20020},
        {{-1000, 0, 2, 0}, 20020},
        {{1000, 0, 5, 0}, 20020},
        {{1000, 0, -1, 0}, 20020},
        // 400 million seconds in one-second windows: more than the output may hold.
        {{1000, kDay0, 1, 0}, 20021},
    };
    for (const Case& c : cases) {
        const ThinDataResult thinned = ThinData(*source, c.prm);
        EXPECT_EQ(thinned.result.code, 56);
        EXPECT_EQ(thinned.result.location, c.location);
        EXPECT_EQ(thinned.channel, nullptr);
    }
    // The same span in sampling windows of a day is fine: empty windows end blocks, not records.
    EXPECT_TRUE(ThinData(*source, {86'400'000, kDay0, 0, 0}).result.Ok());
}

TEST(ThinData, EmptyChannelGivesEmptyChannel)
{
    const auto thinned = ThinData(GCh(), {1000, 0, 4, 0});
    ASSERT_TRUE(thinned.result.Ok());
    EXPECT_EQ(thinned.channel->GetDataCount(), 0);
    EXPECT_TRUE(thinned.channel->RawDataBlocks().empty());
}

}  // namespace
