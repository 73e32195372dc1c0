#include "graph/LabelGenerateAutoTime2.h"

#include <algorithm>
#include <cmath>

#include "graph/CivilTime.h"

namespace ovgGraph {

namespace {

// The calendar field a level steps in, coarsest first; kFraction steps in seconds directly.
enum class Unit : uint8_t { kYear, kMonth, kDay, kHour, kMinute, kSecond, kFraction };

// Where the first tick is put before stepping forward to the start of the range.
enum class Align : uint8_t {
    kNone,               // the whole second of the start
    kMultiple,           // the stepped field down to a multiple of the step, finer fields cleared
    kDayBeforeMultiple,  // day of month d to d - (d mod step) - 1, time of day cleared
    kPrecedingSunday,    // back to the Sunday of the week (the day itself on a Sunday), 00:00:00
};

struct Level {
    double threshold;  // the smallest displayed span (s) for which the level is chosen automatically
    Unit unit;
    double step;  // in units of the field; in seconds for kFraction
    Align align;
    int subscale;  // the level of the subscale ticks that go with it
};

// Row 0 is only reached for an empty range; its threshold is never compared.
constexpr Level kLevels[LabelGenerateAutoTime2::kLevelCount] = {
    {0, Unit::kSecond, 5, Align::kNone, 1},
    {7.884e8, Unit::kYear, 10, Align::kMultiple, 3},
    {3.1536e8, Unit::kYear, 5, Align::kMultiple, 4},
    {1.5768e8, Unit::kYear, 2, Align::kMultiple, 5},
    {9.4608e7, Unit::kYear, 1, Align::kMultiple, 6},
    {3.942e7, Unit::kMonth, 6, Align::kMultiple, 7},
    {2.628e7, Unit::kMonth, 3, Align::kMultiple, 8},
    {1.314e7, Unit::kMonth, 2, Align::kMultiple, 8},
    {5.184e6, Unit::kMonth, 1, Align::kMultiple, 9},
    {2.16e6, Unit::kDay, 7, Align::kPrecedingSunday, 13},
    {1.296e6, Unit::kDay, 5, Align::kDayBeforeMultiple, 13},
    {864000, Unit::kDay, 3, Align::kDayBeforeMultiple, 13},
    {432000, Unit::kDay, 2, Align::kDayBeforeMultiple, 13},
    {216000, Unit::kDay, 1, Align::kMultiple, 15},
    {108000, Unit::kHour, 12, Align::kMultiple, 17},
    {72000, Unit::kHour, 6, Align::kMultiple, 19},
    {54000, Unit::kHour, 4, Align::kMultiple, 19},
    {36000, Unit::kHour, 3, Align::kMultiple, 19},
    {18000, Unit::kHour, 2, Align::kMultiple, 19},
    {9000, Unit::kHour, 1, Align::kMultiple, 22},
    {6000, Unit::kMinute, 30, Align::kMultiple, 23},
    {4500, Unit::kMinute, 20, Align::kMultiple, 24},
    {3000, Unit::kMinute, 15, Align::kMultiple, 24},
    {1500, Unit::kMinute, 10, Align::kMultiple, 26},
    {900, Unit::kMinute, 5, Align::kMultiple, 27},
    {600, Unit::kMinute, 3, Align::kMultiple, 27},
    {300, Unit::kMinute, 2, Align::kMultiple, 27},
    {150, Unit::kMinute, 1, Align::kMultiple, 30},
    {100, Unit::kSecond, 30, Align::kMultiple, 31},
    {75, Unit::kSecond, 20, Align::kMultiple, 31},
    {50, Unit::kSecond, 15, Align::kMultiple, 32},
    {25, Unit::kSecond, 10, Align::kMultiple, 34},
    {15, Unit::kSecond, 5, Align::kMultiple, 35},
    {10, Unit::kSecond, 3, Align::kMultiple, 35},
    {5, Unit::kSecond, 2, Align::kMultiple, 35},
    {2.5, Unit::kSecond, 1, Align::kNone, 37},
    {1.5, Unit::kFraction, 0.5, Align::kNone, 38},
    {0.5, Unit::kFraction, 0.2, Align::kNone, 38},
    {0.25, Unit::kFraction, 0.1, Align::kNone, 40},
    {0.15, Unit::kFraction, 0.05, Align::kNone, 41},
    {0.05, Unit::kFraction, 0.02, Align::kNone, 41},
    {0.025, Unit::kFraction, 0.01, Align::kNone, 43},
    {0.015, Unit::kFraction, 0.005, Align::kNone, 44},
    {0.005, Unit::kFraction, 0.002, Align::kNone, 44},
    {0.002, Unit::kFraction, 0.001, Align::kNone, 44},
};

int64_t& Field(CivilTime& time, Unit unit)
{
    switch (unit) {
        case Unit::kYear:
            return time.year;
        case Unit::kMonth:
            return time.month;
        case Unit::kDay:
            return time.day;
        case Unit::kHour:
            return time.hour;
        case Unit::kMinute:
            return time.minute;
        default:
            return time.second;
    }
}

// Resets every field finer than the unit to its first value.
void ClearBelow(CivilTime& time, Unit unit)
{
    if (unit < Unit::kMonth) time.month = 0;
    if (unit < Unit::kDay) time.day = 1;
    if (unit < Unit::kHour) time.hour = 0;
    if (unit < Unit::kMinute) time.minute = 0;
    if (unit < Unit::kSecond) time.second = 0;
}

void AlignFirst(CivilTime& time, const Level& level)
{
    const auto step = int64_t(level.step);
    switch (level.align) {
        case Align::kNone:
            break;
        case Align::kMultiple: {
            int64_t& field = Field(time, level.unit);
            field -= field % step;  // fields are not negative: times before 1970 are not ticked
            ClearBelow(time, level.unit);
            break;
        }
        case Align::kDayBeforeMultiple:
            time.day = time.day - time.day % step - 1;  // may be 0 or -1: the previous month
            ClearBelow(time, Unit::kDay);
            break;
        case Align::kPrecedingSunday:
            time.day -= time.weekday;
            ClearBelow(time, Unit::kDay);
            break;
    }
}

// The whole level number that a manual interval names, 0 when it names none.
int ManualLevel(double interval)
{
    const double level = interval + 0.1;
    return level >= 1 && level < LabelGenerateAutoTime2::kLevelCount ? int(level) : 0;
}

void GenerateFractional(double whole, double lo, double hi, double step, std::vector<double>& values)
{
    double k = 0;
    if (whole < lo) {
        k = std::trunc((lo - whole) / step);
        if (whole + k * step < lo) k += 1;
    }
    // Each tick is computed from the whole second, so 0.001 s steps do not accumulate rounding.
    for (std::size_t n = 0; n < LabelGenerate::kMaxTicks; ++n, k += 1) {
        const double t = whole + k * step;
        if (!(t < hi)) break;
        values.push_back(t);
    }
}

void GenerateCalendar(const Level& level, CivilTime fields, double lo, double hi, std::vector<double>& values)
{
    AlignFirst(fields, level);
    int64_t& stepped = Field(fields, level.unit);
    const auto step = int64_t(level.step);
    int64_t t = 0;
    if (!fields.ToSeconds(t)) return;
    // The aligned time lies at most a step and a day before lo; the counter only guards.
    for (std::size_t n = 0; double(t) < lo; ++n) {
        stepped += step;
        if (n >= LabelGenerate::kMaxTicks || !fields.ToSeconds(t)) return;
    }
    // Stops at the end of the year 9999, where the conversion fails, or after kMaxTicks ticks.
    for (std::size_t n = 0; double(t) <= hi && n < LabelGenerate::kMaxTicks; ++n) {
        values.push_back(double(t));
        stepped += step;
        if (!fields.ToSeconds(t)) break;
    }
}

}  // namespace

std::shared_ptr<LabelGenerate> LabelGenerateAutoTime2::Clone() const
{
    return std::make_shared<LabelGenerateAutoTime2>();
}

int LabelGenerateAutoTime2::AutoLevel(double span)
{
    if (!(span > 0)) return 0;
    for (int level = 1; level < kLevelCount; ++level)
        if (kLevels[level].threshold <= span) return level;
    return kLevelCount - 1;
}

int LabelGenerateAutoTime2::SubscaleLevel(int level)
{
    return level >= 0 && level < kLevelCount ? kLevels[level].subscale : 1;
}

void LabelGenerateAutoTime2::GenerateLevel(int level, double lo, double hi, std::vector<double>& values)
{
    if (level < 0 || level >= kLevelCount || !std::isfinite(lo) || !std::isfinite(hi)) return;
    lo = std::max(lo, 0.0);
    const double whole = std::floor(lo);
    CivilTime fields;
    if (whole > hi || whole >= double(CivilTime::kEndSecond) ||
        !CivilTime::FromSeconds(int64_t(whole), fields))
        return;
    const Level& row = kLevels[level];
    if (row.unit == Unit::kFraction)
        GenerateFractional(whole, lo, hi, row.step, values);
    else
        GenerateCalendar(row, fields, lo, hi, values);
}

void LabelGenerateAutoTime2::Generate(const LabelParams& params, std::vector<double>& scaleValues,
                                      std::vector<double>& subscaleValues) const
{
    scaleValues.clear();
    subscaleValues.clear();
    const double lo = params.displayMin, hi = params.displayMax;
    const int automatic = AutoLevel(hi - lo);
    const int scaleLevel = params.scaleInterval > 0 ? ManualLevel(params.scaleInterval) : automatic;
    const int subscaleLevel =
        params.subscaleInterval > 0 ? ManualLevel(params.subscaleInterval) : SubscaleLevel(automatic);
    GenerateLevel(scaleLevel, lo, hi, scaleValues);
    GenerateLevel(subscaleLevel, lo, hi, subscaleValues);
}

std::pair<double, double> LabelGenerateAutoTime2::FitRange(double min, double max) const
{
    // A remainder under 0.1 ms counts as lying on the minute, which then moves a whole minute out
    // so that data never touches the ends. The remainder is taken downwards (floor), so times
    // before 1970 round outward too.
    const auto remainder = [](double v) { return v - 60 * std::floor(v / 60); };
    const double rMin = remainder(min), rMax = remainder(max);
    const double lo = min - rMin - (rMin >= 0.0001 ? 0 : 60);
    const double hi = max - rMax + 60;
    return {lo, hi};
}

}  // namespace ovgGraph
