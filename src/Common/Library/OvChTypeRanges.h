#pragma once

#include "Common/Library/OvChTypeFormat.h"

// The auto-ranging tables and the rounding steps of the channel types: data, one row per
// number of digits of the integer (1 to 8). A row with a null unit is not listed: the digits
// stay as they are.
namespace orvel::detail {

// Voltage, integer in 0.1 mV.
inline constexpr AutoRangeTable kVoltageRanges = {
    {{"0.", 0, 0, u"mV"},
     {nullptr, 1, 0, u"mV"},
     {nullptr, 2, 0, u"mV"},
     {nullptr, 3, 0, u"mV"},
     {nullptr, 1, 5, u"V"},
     {nullptr, 2, 5, u"V"},
     {nullptr, 0, 0, nullptr},
     {nullptr, 0, 0, nullptr}},
    true, true, 0};

// Current, integer in 0.01 mA.
inline constexpr AutoRangeTable kCurrentRanges = {
    {{"0.0", 0, 0, u"mA"},
     {"0.", 0, 0, u"mA"},
     {nullptr, 1, 0, u"mA"},
     {nullptr, 2, 0, u"mA"},
     {nullptr, 3, 5, u"mA"},
     {nullptr, 1, 5, u"A"},
     {nullptr, 0, 0, nullptr},
     {nullptr, 0, 0, nullptr}},
    true, true, 0};

// Illuminance, integer in 0.01 lx.
inline constexpr AutoRangeTable kIlluminanceRanges = {
    {{"0.0", 0, 0, u""},
     {"0.", 0, 0, u""},
     {nullptr, 1, 0, u""},
     {nullptr, 2, 5, u""},
     {nullptr, 3, 5, u""},
     {nullptr, 0, 4, u""},
     {nullptr, 2, 5, u"k"},
     {nullptr, 3, 5, u"k"}},
    false, false, 0};

// Cumulative illuminance, integer in lxh.
inline constexpr AutoRangeTable kIlluminanceCumulativeRanges = {
    {{nullptr, 0, 0, u""},
     {nullptr, 0, 0, u""},
     {nullptr, 0, 0, u""},
     {nullptr, 0, 0, u""},
     {nullptr, 2, 5, u"k"},
     {nullptr, 3, 5, u"k"},
     {nullptr, 0, 4, u"k"},
     {nullptr, 2, 5, u"M"}},
    false, false, 0};

// UV intensity and cumulative UV, integer in thousandths of a milli-unit. Seven digits show the
// first four digits in milli-units, between the point-after-3 row of six digits and the
// unprefixed row of eight.
inline constexpr AutoRangeTable kUvRanges = {
    {{"0.00", 0, 0, u"m"},
     {"0.0", 0, 0, u"m"},
     {"0.", 0, 0, u"m"},
     {nullptr, 1, 0, u"m"},
     {nullptr, 2, 5, u"m"},
     {nullptr, 3, 5, u"m"},
     {nullptr, 0, 4, u"m"},
     {nullptr, 2, 5, u""}},
    false, false, 5};

inline constexpr RoundingStep kIlluminanceSteps[] = {{100000, 2}, {10000, 1}, {1000, 0}, {100, -1}};
inline constexpr RoundingStep kIlluminanceCumulativeSteps[] = {
    {10000000, 4}, {1000000, 3}, {100000, 2}, {10000, 1}, {1000, 0}};
// UV intensity, voltage in 0.1 mV and the decibel type share these.
inline constexpr RoundingStep kFourDigitSteps[] = {{1000, 0}, {100, -1}, {10, -2}};
inline constexpr RoundingStep kUvCumulativeSteps[] = {{10000000, 4}, {1000000, 3}, {100000, 2}, {10000, 1},
                                                      {1000, 0},     {100, -1},    {10, -2}};

}  // namespace orvel::detail
