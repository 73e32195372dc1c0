#pragma once

#include <cstdint>
#include <span>
#include <string>

// Number texts and value rounding shared by the channel types.
namespace orvel::detail {

// "%d.%0*d" of integer / 10^decimals and integer mod 10^decimals, with "-" before a negative
// magnitude. Decimals outside 1 to 9 are refused with SeriousError "illegal value.".
std::string FormatFixed(int64_t integer, int decimals);

// The digits-and-point text of FormatFixed, or "%d" when decimals is 0.
std::string FormatPlain(int64_t integer, int decimals);

std::u16string Widen(const std::string& ascii);

// One row of an auto-ranging table, chosen by the number of digits of the integer.
// lead: text put before the digits ("0.0"); pointAfter: a point after that many digits;
// cut: keep that many characters; unit: the unit (or unit prefix) shown; nullptr = row not listed.
struct AutoRangeRow {
    const char* lead;
    int pointAfter;
    int cut;
    const char16_t* unit;
};

struct AutoRangeTable {
    AutoRangeRow rows[8];    // for 1 to 8 digits
    bool replacesUnit;       // the row's unit replaces the type's unit; else it is a prefix to it
    bool isSigned;           // a negative integer gets "-" in front
    int finalCut;            // keep at most this many characters at the end (0: no limit)
};

// The auto-ranged number text of the integer; *unit receives the unit text to show after it.
std::u16string AutoRangeText(const AutoRangeTable& table, int64_t integer, const std::u16string& typeUnit,
                             std::u16string* unit);

// Keeps about four significant digits: the first threshold the value exceeds selects the unit
// 10^powerOfTen, and the value becomes trunc(v / unit + 0.1) * unit.
struct RoundingStep {
    double threshold;
    int powerOfTen;
};
double RoundToSteps(double value, std::span<const RoundingStep> steps);

// floor(value), clamped to the int64 range (NaN gives 0).
int64_t FloorToInt64(double value);

}  // namespace orvel::detail
