#include "Common/Library/OvChTypeFormat.h"

#include <cmath>
#include <cstdio>
#include <limits>

#include "Common/Library/SeriousError.h"

namespace orvel::detail {
namespace {

constexpr int64_t kPow10[] = {1,      10,      100,      1000,      10000,
                              100000, 1000000, 10000000, 100000000, 1000000000};

uint64_t Magnitude(int64_t integer)
{
    return integer < 0 ? uint64_t(0) - uint64_t(integer) : uint64_t(integer);
}

}  // namespace

std::string FormatFixed(int64_t integer, int decimals)
{
    if (decimals < 1 || decimals > 9) ORVEL_SERIOUS_ERROR("illegal value.");
    const uint64_t magnitude = Magnitude(integer);
    const uint64_t scale = uint64_t(kPow10[decimals]);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%s%llu.%0*llu", integer < 0 ? "-" : "",
                  static_cast<unsigned long long>(magnitude / scale), decimals,
                  static_cast<unsigned long long>(magnitude % scale));
    return buffer;
}

std::string FormatPlain(int64_t integer, int decimals)
{
    if (decimals == 0) return std::to_string(integer);
    return FormatFixed(integer, decimals);
}

std::u16string Widen(const std::string& ascii)
{
    return std::u16string(ascii.begin(), ascii.end());
}

std::u16string AutoRangeText(const AutoRangeTable& table, int64_t integer, const std::u16string& typeUnit,
                             std::u16string* unit)
{
    std::string digits = std::to_string(Magnitude(integer));
    const size_t n = digits.size();
    const AutoRangeRow* row = n >= 1 && n <= 8 && table.rows[n - 1].unit ? &table.rows[n - 1] : nullptr;
    std::u16string rowUnit;
    if (row) {
        if (row->lead) digits.insert(0, row->lead);
        if (row->pointAfter > 0 && size_t(row->pointAfter) < digits.size())
            digits.insert(size_t(row->pointAfter), 1, '.');
        if (row->cut > 0 && digits.size() > size_t(row->cut)) digits.resize(size_t(row->cut));
        rowUnit = row->unit;
    }
    if (table.isSigned && integer < 0) digits.insert(0, 1, '-');
    if (table.finalCut > 0 && digits.size() > size_t(table.finalCut)) digits.resize(size_t(table.finalCut));
    if (unit) *unit = table.replacesUnit ? rowUnit : rowUnit + typeUnit;
    return Widen(digits);
}

double RoundToSteps(double value, std::span<const RoundingStep> steps)
{
    for (const RoundingStep& step : steps) {
        if (!(value > step.threshold)) continue;
        const int p = step.powerOfTen;
        if (p >= 0) {
            const double unit = double(kPow10[p]);
            return std::trunc(value / unit + 0.1) * unit;
        }
        const double perUnit = double(kPow10[-p]);
        return std::trunc(value * perUnit + 0.1) / perUnit;
    }
    return value;
}

int64_t FloorToInt64(double value)
{
    if (std::isnan(value)) return 0;
    const double floored = std::floor(value);
    if (floored >= 9.2233720368547758e18) return std::numeric_limits<int64_t>::max();
    if (floored <= -9.2233720368547758e18) return std::numeric_limits<int64_t>::min();
    return int64_t(floored);
}

}  // namespace orvel::detail
