#pragma once

#include <bit>
#include <cstdint>
#include <limits>

namespace OvGraphFileLib {

// Times are signed 64-bit milliseconds since 1970-01-01 00:00:00 UTC.
inline constexpr int64_t NO_TIME = -1;
// Recording interval in milliseconds when records are not equally spaced.
inline constexpr int64_t NO_INTERVAL = -1;
// Time difference and time-zone biases that the source did not give.
inline constexpr int64_t NOT_GIVEN = std::numeric_limits<int64_t>::max();

// A missing, out-of-range or error-coded sample; every consumer treats it as no data.
inline constexpr double INVALID_VALUE = std::numeric_limits<double>::max();
// The gap between two raw data blocks; the data iterator yields it, files never hold it.
inline constexpr double BREAK_VALUE = 1.7976931348623155e308;
static_assert(std::bit_cast<uint64_t>(INVALID_VALUE) == 0x7FEFFFFFFFFFFFFFull);
static_assert(std::bit_cast<uint64_t>(BREAK_VALUE) == 0x7FEFFFFFFFFFFFFEull);

inline constexpr double NO_UPPER_LIMIT = INVALID_VALUE;
inline constexpr double NO_LOWER_LIMIT = -INVALID_VALUE;

// No data: a value not smaller in magnitude than BREAK_VALUE, i.e. the two marks, their negatives,
// the infinities and NaN (files and scale expressions can give any of them). Plotting, statistics,
// axis fitting and export all use this one test.
constexpr bool IsNoData(double value) { return !((value < 0 ? -value : value) < BREAK_VALUE); }

}  // namespace OvGraphFileLib
