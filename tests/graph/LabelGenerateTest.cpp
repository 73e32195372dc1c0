#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <limits>
#include <string>
#include <vector>

#include "graph/LabelGenerateAutoTime2.h"
#include "graph/LabelGenerateAutoValue.h"

using namespace ovgGraph;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Tick values are sums of binary fractions: equal up to a relative 1e-9 (and 1e-6 s for times,
// far below the 1 ms finest step).
void ExpectValues(const std::vector<double>& expected, const std::vector<double>& actual,
                  const std::string& what, double absolute = 0)
{
    ASSERT_EQ(expected.size(), actual.size()) << what;
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_NEAR(expected[i], actual[i], std::max(absolute, 1e-9 * std::max(1.0, std::fabs(expected[i]))))
            << what << ", tick " << i;
}

std::vector<double> Steps(double first, double step, int count)
{
    std::vector<double> values;
    for (int i = 0; i < count; ++i) values.push_back(first + i * step);
    return values;
}

LabelParams Display(double lo, double hi)
{
    LabelParams params;
    params.rangeMin = params.displayMin = lo;
    params.rangeMax = params.displayMax = hi;
    return params;
}

// 2023-11-14 22:13:20 (a Tuesday).
constexpr double kTuesday = 1700000000;

}  // namespace

// ---- value axis ---------------------------------------------------------------------------------

TEST(LabelGenerateAutoValue, AutomaticStepIsOneTwoOrFiveTimesAPowerOfTen)
{
    const struct {
        const char* what;
        double lo, hi;
        std::vector<double> scale;
    } rows[] = {
        {"0-100: r = 1, step p/5", 0, 100, Steps(0, 20, 6)},
        {"0-9: r = 9 > 8, step 2p", 0, 9, {0, 2, 4, 6, 8}},
        {"0-8: r = 8 is not above 8, step p", 0, 8, Steps(0, 1, 9)},
        {"0-4: r = 4 is not above 4, step p/2", 0, 4, Steps(0, 0.5, 9)},
        {"0-2: r = 2 is not above 2, step p/5", 0, 2, Steps(0, 0.2, 11)},
        {"0-1000: a span of exactly a power of ten", 0, 1000, Steps(0, 200, 6)},
        {"3.7-96.2: only multiples of the step inside", 3.7, 96.2, {20, 40, 60, 80}},
        {"negative range", -7, -3.2, Steps(-7, 0.5, 8)},
        {"across zero", -1, 1, Steps(-1, 0.2, 11)},
        {"tiny range", 0.001, 0.0015, Steps(0.001, 0.0001, 6)},
        {"0.6 / 0.1 is below 6 in binary, the end tick stays", 0, 0.6, Steps(0, 0.1, 7)},
        {"narrow range at a large magnitude", 1e6, 1e6 + 50, Steps(1e6, 10, 6)},
    };
    const LabelGenerateAutoValue generator;
    for (const auto& row : rows) {
        std::vector<double> scale, subscale;
        generator.Generate(Display(row.lo, row.hi), scale, subscale);
        ExpectValues(row.scale, scale, row.what);
    }
}

TEST(LabelGenerateAutoValue, ZeroIsExactlyZero)
{
    std::vector<double> scale, subscale;
    LabelGenerateAutoValue().Generate(Display(-1, 1), scale, subscale);
    ASSERT_EQ(11u, scale.size());
    EXPECT_EQ(0.0, scale[5]);
    EXPECT_FALSE(std::signbit(scale[5]));
}

TEST(LabelGenerateAutoValue, SubscaleTicksAtAFifthOfTheStepAcrossTheDisplayedRange)
{
    const struct {
        const char* what;
        double lo, hi;
        std::vector<double> subscale;
    } rows[] = {
        {"0-100: every 4", 0, 100, Steps(0, 4, 26)},
        {"0-9: every 0.4, up to the last below 9", 0, 9, Steps(0, 0.4, 23)},
        {"3.7-96.2: every 4 from 4, also outside the outer labels", 3.7, 96.2, Steps(4, 4, 24)},
        {"negative range: every 0.1", -7, -3.2, Steps(-7, 0.1, 39)},
    };
    const LabelGenerateAutoValue generator;
    for (const auto& row : rows) {
        std::vector<double> scale, subscale;
        generator.Generate(Display(row.lo, row.hi), scale, subscale);
        ExpectValues(row.subscale, subscale, row.what);
    }
}

TEST(LabelGenerateAutoValue, ManualIntervalsCountFromTheRangeMinimum)
{
    const struct {
        const char* what;
        double rangeMin, displayMin, displayMax, scaleInterval, subscaleInterval;
        std::vector<double> scale, subscale;
    } rows[] = {
        {"30 from -50", -50, -50, 100, 30, 0, {-50, -20, 10, 40, 70, 100}, Steps(-48, 4, 38)},
        {"scrolled: still on the -50 grid", -50, -10, 100, 30, 0, {10, 40, 70, 100}, Steps(-8, 4, 28)},
        {"automatic scale, manual subscale", -50, -50, 100, 0, 7, Steps(-40, 20, 8), Steps(-50, 7, 22)},
        {"tenths do not drift: 1.0 is the last", 0, 0, 1, 0.1, 0.05, Steps(0, 0.1, 11), Steps(0, 0.05, 21)},
        {"negative interval counts as automatic", 0, 0, 9, -3, -1, {0, 2, 4, 6, 8}, Steps(0, 0.4, 23)},
    };
    const LabelGenerateAutoValue generator;
    for (const auto& row : rows) {
        LabelParams params;
        params.scaleInterval = row.scaleInterval;
        params.subscaleInterval = row.subscaleInterval;
        params.rangeMin = row.rangeMin;
        params.rangeMax = row.displayMax;
        params.displayMin = row.displayMin;
        params.displayMax = row.displayMax;
        std::vector<double> scale{1, 2, 3}, subscale{4, 5};  // replaced, not appended to
        generator.Generate(params, scale, subscale);
        ExpectValues(row.scale, scale, std::string(row.what) + " (scale)");
        ExpectValues(row.subscale, subscale, std::string(row.what) + " (subscale)");
    }
}

TEST(LabelGenerateAutoValue, CandidatesWidenTheStepWithTheIndex)
{
    const struct {
        const char* what;
        int index;
        double lo, hi;
        std::vector<double> values;
    } rows[] = {
        {"index 0 is the automatic step", 0, 0, 100, Steps(0, 20, 6)},
        {"index 1 on 0-100: p/2", 1, 0, 100, {0, 50, 100}},
        {"index 3 on 0-5000: 2p", 3, 0, 5000, {0, 2000, 4000}},
        {"index 4 on 0-5000: 2(p + 10), p grows by addition", 4, 0, 5000, {0, 2020, 4040}},
        {"equal bounds give the bound twice", 0, 5, 5, {5, 5}},
        {"reversed bounds give nothing", 0, 10, 0, {}},
        {"negative index gives nothing", -1, 0, 100, {}},
        {"not a number gives nothing", 0, kNaN, 100, {}},
    };
    const LabelGenerateAutoValue generator;
    for (const auto& row : rows)
        ExpectValues(row.values, generator.Candidates(row.index, row.lo, row.hi), row.what);
}

TEST(LabelGenerateAutoValue, FitRangeAddsOneStepBeyondTheOuterLabels)
{
    const struct {
        const char* what;
        double min, max, lo, hi;
    } rows[] = {
        {"0-9", 0, 9, -2, 10},
        {"0-100", 0, 100, -20, 120},
        {"3.7-96.2: labels 20-80", 3.7, 96.2, 0, 100},
        {"negative", -7, -3.2, -7.5, -3.0},
        {"single value stays", 5, 5, 5, 5},
        {"reversed stays", 10, 0, 10, 0},
    };
    const LabelGenerateAutoValue generator;
    for (const auto& row : rows) {
        const auto [lo, hi] = generator.FitRange(row.min, row.max);
        EXPECT_NEAR(row.lo, lo, 1e-12) << row.what;
        EXPECT_NEAR(row.hi, hi, 1e-12) << row.what;
    }
    const auto [lo, hi] = generator.FitRange(kNaN, 1);
    EXPECT_TRUE(std::isnan(lo));
    EXPECT_EQ(1, hi);
}

TEST(LabelGenerateAutoValue, DegenerateRangesEndWithoutRunningAway)
{
    constexpr std::size_t kMax = LabelGenerate::kMaxTicks;
    const struct {
        const char* what;
        LabelParams params;
        std::size_t maxScale, maxSubscale;
    } rows[] = {
        {"empty range", Display(5, 5), 0, 0},
        {"reversed range", Display(10, 0), 0, 0},
        {"not a number", Display(kNaN, 1), 0, 0},
        {"infinite bound", Display(0, kInf), 0, 0},
        {"span overflows", Display(-1e308, 1e308), 0, 0},
        // One unit in the last place of 1e20 is 16384: a step of 2000 cannot move the value.
        {"range at the resolution of its magnitude", Display(1e20, 1e20 + 16384), 2, 2},
        {"manual interval far below the range", {1e-9, 1e-9, -50, 100, -50, 100}, kMax, kMax},
    };
    const LabelGenerateAutoValue generator;
    for (const auto& row : rows) {
        std::vector<double> scale, subscale;
        generator.Generate(row.params, scale, subscale);
        EXPECT_LE(scale.size(), row.maxScale) << row.what;
        EXPECT_LE(subscale.size(), row.maxSubscale) << row.what;
        for (std::size_t i = 1; i < scale.size(); ++i) EXPECT_LT(scale[i - 1], scale[i]) << row.what;
    }
    std::vector<double> scale, subscale;
    generator.Generate({1e-9, 0, -50, 100, -50, 100}, scale, subscale);
    EXPECT_EQ(LabelGenerate::kMaxTicks, scale.size()) << "capped, from the range minimum";
    EXPECT_EQ(-50, scale.front());
}

TEST(LabelGenerateAutoValue, CloneGeneratesTheSameTicksWithoutTheObservers)
{
    Observer owner;
    const LabelGenerateAutoValue original(&owner);
    const std::shared_ptr<LabelGenerate> clone = original.Clone();
    EXPECT_TRUE(clone->Observers().empty());
    std::vector<double> a, b, c, d;
    original.Generate(Display(0, 9), a, b);
    clone->Generate(Display(0, 9), c, d);
    EXPECT_EQ(a, c);
    EXPECT_EQ(b, d);
    EXPECT_EQ(original.FitRange(0, 9), clone->FitRange(0, 9));
}

// ---- time axis ----------------------------------------------------------------------------------

TEST(LabelGenerateAutoTime2, LevelIsTheFirstRowWhoseThresholdTheSpanReaches)
{
    const struct {
        double span;
        int level;
    } rows[] = {
        // clang-format off
        {0, 0}, {-5, 0}, {kNaN, 0},
        {1e12, 1}, {7.884e8, 1}, {7.8e8, 2}, {9.4608e7, 4}, {9.46e7, 5},
        {2.16e6, 9}, {2.15e6, 10}, {216000, 13}, {215999, 14},
        {9000, 19}, {8999.999, 20}, {9000.001, 19}, {150, 27}, {149.9, 28},
        {2.5, 35}, {2.4999, 36}, {1.5, 36}, {1.49, 37},
        {0.005, 43}, {0.0049, 44}, {0.002, 44}, {0.0019, 44}, {1e-12, 44},
        // clang-format on
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.level, LabelGenerateAutoTime2::AutoLevel(row.span)) << row.span;
}

TEST(LabelGenerateAutoTime2, TicksOfALevelStartAtItsCalendarAlignment)
{
    const struct {
        const char* what;
        int level;
        double lo, hi;
        std::vector<double> ticks;
    } rows[] = {
        // clang-format off
        {"10 years: 2020 is before the start, 2030 is first", 1, kTuesday, 2524608000,
         {1893456000, 2208988800, 2524608000}},
        {"10 years from the epoch", 1, 0, 315532800, {0, 315532800}},
        {"6 months: July 2023 is before, January 2024 first", 5, kTuesday, 1735689600,
         {1704067200, 1719792000, 1735689600}},
        {"1 month: from 1 December", 8, kTuesday, 1706745600, {1701388800, 1704067200, 1706745600}},
        {"weeks start on Sunday: 12 Nov is before, 19 Nov first", 9, kTuesday, 1701561600,
         {1700352000, 1700956800, 1701561600}},
        {"5 days: day 14 aligns to day 9, then 14, 19, ... into December", 10, kTuesday, 1701648000,
         {1700352000, 1700784000, 1701216000, 1701648000}},
        {"5 days: day 2 aligns to day -1, 30 October", 10, 1698926400, 1699920000,
         {1699056000, 1699488000, 1699920000}},
        {"1 day: midnights", 13, kTuesday, 1700092800, {1700006400, 1700092800}},
        {"12 hours: 12:00 is before, midnight first", 14, kTuesday, 1700092800,
         {1700006400, 1700049600, 1700092800}},
        {"15 minutes: 22:15 first", 22, kTuesday, 1700001000, {1700000100, 1700001000}},
        {"5 seconds: second 21 aligns to 20, 25 first", 32, kTuesday + 1.5, kTuesday + 15,
         {kTuesday + 5, kTuesday + 10, kTuesday + 15}},
        {"5 seconds: a start on a tick is the first tick", 32, kTuesday, kTuesday + 10,
         {kTuesday, kTuesday + 5, kTuesday + 10}},
        {"1 second: whole seconds", 35, kTuesday + 0.5, kTuesday + 3,
         {kTuesday + 1, kTuesday + 2, kTuesday + 3}},
        {"level 0: 5 s from the whole second, unaligned", 0, kTuesday + 1.5, kTuesday + 12,
         {kTuesday + 6, kTuesday + 11}},
        {"0.5 s: the end is left out", 36, kTuesday, kTuesday + 1, {kTuesday, kTuesday + 0.5}},
        {"0.2 s from .3: .4 first", 37, kTuesday + 0.3, kTuesday + 1,
         {kTuesday + 0.4, kTuesday + 0.6, kTuesday + 0.8}},
        {"1 ms from .0105: .011 first", 44, kTuesday + 0.0105, kTuesday + 0.0155,
         Steps(kTuesday + 0.011, 0.001, 5)},
        {"times before 1970 get no ticks", 14, -100000, 100000, {0, 43200, 86400}},
        {"a range before 1970 gets none", 13, -1e6, -1, {}},
        {"level outside the table", 45, kTuesday, kTuesday + 100, {}},
        // clang-format on
    };
    for (const auto& row : rows) {
        std::vector<double> ticks;
        LabelGenerateAutoTime2::GenerateLevel(row.level, row.lo, row.hi, ticks);
        ExpectValues(row.ticks, ticks, row.what, 1e-6);
    }
}

TEST(LabelGenerateAutoTime2, SubscaleFollowsTheAutomaticLevelUnlessSetByHand)
{
    // 9000 s from 22:13:20 selects 1-hour labels with 15-minute subscale ticks.
    const double lo = kTuesday, hi = kTuesday + 9000;
    const struct {
        const char* what;
        double scaleInterval, subscaleInterval;
        std::vector<double> scale, subscale;
    } rows[] = {
        // clang-format off
        {"automatic", 0, 0, {1700002800, 1700006400}, Steps(1700000100, 900, 10)},
        {"scale level 13 (1 day) by hand", 13, 0, {1700006400}, Steps(1700000100, 900, 10)},
        {"a level number is rounded down after adding 0.1", 12.95, 0, {1700006400},
         Steps(1700000100, 900, 10)},
        {"subscale level 27 (1 minute) by hand", 0, 27, {1700002800, 1700006400}, Steps(1700000040, 60, 150)},
        {"an interval naming no level is level 0 (5 s)", 45, 0, Steps(kTuesday, 5, 1801),
         Steps(1700000100, 900, 10)},
        // clang-format on
    };
    const LabelGenerateAutoTime2 generator;
    for (const auto& row : rows) {
        LabelParams params;
        params.scaleInterval = row.scaleInterval;
        params.subscaleInterval = row.subscaleInterval;
        params.rangeMin = params.displayMin = lo;
        params.rangeMax = params.displayMax = hi;
        std::vector<double> scale{1}, subscale{2};
        generator.Generate(params, scale, subscale);
        ExpectValues(row.scale, scale, std::string(row.what) + " (scale)");
        ExpectValues(row.subscale, subscale, std::string(row.what) + " (subscale)");
    }
}

TEST(LabelGenerateAutoTime2, EmptyRangeAdvancesInFiveSecondsWithTenYearSubscale)
{
    std::vector<double> scale, subscale;
    LabelGenerateAutoTime2().Generate(Display(kTuesday, kTuesday), scale, subscale);
    ExpectValues({kTuesday}, scale, "a range of one instant on a whole second");
    EXPECT_TRUE(subscale.empty());
}

TEST(LabelGenerateAutoTime2, FitRangeRoundsOutwardToWholeMinutes)
{
    const struct {
        const char* what;
        double min, max, lo, hi;
    } rows[] = {
        {"inside minutes", 90, 150, 60, 180},
        {"on minutes: a whole minute out", 120, 180, 60, 240},
        {"22:13:20 to 22:15:00", kTuesday, kTuesday + 100, kTuesday - 20, kTuesday + 160},
        {"within 0.1 ms of a minute counts as on it", 120.00005, 179.99995, 60, 180},
        {"before 1970", -30, -30, -60, 0},
    };
    const LabelGenerateAutoTime2 generator;
    for (const auto& row : rows) {
        const auto [lo, hi] = generator.FitRange(row.min, row.max);
        EXPECT_NEAR(row.lo, lo, 1e-6) << row.what;
        EXPECT_NEAR(row.hi, hi, 1e-6) << row.what;
    }
}

TEST(LabelGenerateAutoTime2, HugeOrBrokenRangesEndWithoutRunningAway)
{
    const struct {
        const char* what;
        LabelParams params;
        std::vector<double> scaleEnds;  // first and last tick, or empty
        std::size_t scaleCount, subscaleCount;
    } rows[] = {
        // clang-format off
        // Decades 1970-9990 and even years 1970-9998: the calendar ends with the year 9999.
        {"up to 1e300 s", Display(0, 1e300), {0, 253086768000}, 803, 4015},
        {"1 ms labels over 300 years are capped", {44, 44, 0, 1e10, 0, 1e10}, {0, 99.999},
         LabelGenerate::kMaxTicks, LabelGenerate::kMaxTicks},
        {"1 s labels over 300 years are capped", {35, 35, 0, 1e10, 0, 1e10}, {0, 99999},
         LabelGenerate::kMaxTicks, LabelGenerate::kMaxTicks},
        {"not a number", Display(kNaN, kTuesday), {}, 0, 0},
        {"infinite end", Display(kTuesday, kInf), {}, 0, 0},
        {"reversed", Display(kTuesday + 100, kTuesday), {}, 0, 0},
        {"start after the year 9999", Display(1e300, 2e300), {}, 0, 0},
        // clang-format on
    };
    const LabelGenerateAutoTime2 generator;
    for (const auto& row : rows) {
        std::vector<double> scale, subscale;
        generator.Generate(row.params, scale, subscale);
        EXPECT_EQ(row.scaleCount, scale.size()) << row.what;
        EXPECT_EQ(row.subscaleCount, subscale.size()) << row.what;
        if (!row.scaleEnds.empty() && !scale.empty()) {
            EXPECT_NEAR(row.scaleEnds[0], scale.front(), 1e-6) << row.what;
            EXPECT_NEAR(row.scaleEnds[1], scale.back(), 1e-6) << row.what;
        }
    }
}

TEST(LabelGenerateAutoTime2, CalendarIgnoresTheProcessTimeZone)
{
    const char* saved = std::getenv("TZ");
    const std::string previous = saved ? saved : "";
    setenv("TZ", "JST-9", 1);
    tzset();
    std::vector<double> ticks;
    LabelGenerateAutoTime2::GenerateLevel(13, kTuesday, 1700092800, ticks);
    if (saved)
        setenv("TZ", previous.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
    ExpectValues({1700006400, 1700092800}, ticks, "UTC midnights");
}
