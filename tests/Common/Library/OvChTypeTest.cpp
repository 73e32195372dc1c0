#include <gtest/gtest.h>

#include <functional>
#include <span>
#include <string>
#include <typeindex>
#include <vector>

#include "Common/Library/OvChType.h"
#include "Common/Library/OvChTypeCELSIUS.h"
#include "Common/Library/OvChTypeFloatingPointNumberType0.h"
#include "Common/Library/OvChTypeFormat.h"
#include "Common/Library/OvChTypeILLUMINANCE.h"
#include "Common/Library/OvChTypeNull.h"
#include "Common/Library/OvChTypePrimitiveUINT16.h"
#include "Common/Library/OvChTypePrimitiveUINT32.h"
#include "Common/Library/OvChTypeRanges.h"
#include "Common/Library/SeriousError.h"

using namespace orvel::detail;

namespace {

// One raw code of one channel type.
struct RawRow {
    uint16_t code;
    uint16_t raw;
};

std::string Trace(uint16_t code, int64_t input)
{
    return "type " + std::to_string(code) + ", input " + std::to_string(input);
}

// The auto-ranged text of an integer the way FormatRaw shows it with the unit ("12.63 klx").
template <class T>
struct Ranged : T {
    static std::u16string Text(int64_t integer)
    {
        std::u16string unit;
        const std::u16string digits = Ranged().DisplayText(integer, &unit);
        return digits + u" " + unit;
    }
};

}  // namespace

TEST(OvChType, LookupGivesOneSharedTypeObjectPerListedCode)
{
    struct Row {
        uint16_t code;
        std::type_index type;
        const char16_t* unit;
        int rawSize;
        uint16_t sameAs;  // another code of the same class
    };
    const Row rows[] = {
        {13, typeid(OvChTypeCELSIUS), u"°C", 2, 269},
        {14, typeid(OvChTypeFAHRENHEIT), u"°F", 2, 14},
        {65, typeid(OvChTypeATMOSPHERIC_PRESSURE), u"hPa", 2, 65},
        {66, typeid(OvChTypeCO2), u"ppm", 2, 66},
        {67, typeid(OvChTypeATMOSPHERIC_PRESSURE_H), u"hPa", 2, 67},
        {73, typeid(OvChTypeILLUMINANCE), u"lx", 2, 73},
        {77, typeid(OvChTypePULSE_KP808), u"pulse", 2, 78},
        {85, typeid(OvChTypeUV_INTENSITY), u"W/cm2", 2, 85},
        {129, typeid(OvChTypeCURRENT_10_MICRO_A), u"mA", 2, 129},
        {146, typeid(OvChTypeVOLTAGE_100_MICRO_V), u"mV", 2, 146},
        {154, typeid(OvChTypeLX_100_MICRO_DB), u"dB", 2, 154},
        {208, typeid(OvChTypeHUMIDITY), u"%", 2, 464},
        {209, typeid(OvChTypeHUMIDITY_H), u"%", 2, 465},
        {329, typeid(OvChTypeILLUMINANCE_CUMULATIVE), u"lxh", 2, 329},
        {333, typeid(OvChTypePULSE_KP808_CUMULATIVE), u"pulse", 4, 334},
        {589, typeid(OvChTypePULSE_KP808_CUMULATIVE), u"pulse", 4, 590},
        {341, typeid(OvChTypeUV_INTENSITY_CUMULATIVE), u"W/cm2h", 2, 341},
        {352, typeid(OvChTypePULSE_QXA41), u"pulse", 2, 352},
        {384, typeid(OvChTypeVOLTAGE_QXA41), u"V", 2, 384},
        {1001, typeid(OvChTypeJX5_UINT16), u"", 2, 1002},
        {1003, typeid(OvChTypeJX5_UINT16), u"", 2, 1001},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.code);
        const OvChTypeBase& type = OvChTypeOf(row.code);
        EXPECT_EQ(row.type, std::type_index(typeid(type)));
        EXPECT_EQ(&type, &OvChTypeOf(row.sameAs));
        EXPECT_EQ(&type, &OvChTypeOf(row.code)) << "one instance, handed out again";
        EXPECT_EQ(row.unit, type.GetUnit());
        EXPECT_EQ(row.rawSize, type.GetRawSize());
        EXPECT_TRUE(type.IsAvailable());
    }
    EXPECT_NE(&OvChTypeOf(13), &OvChTypeOf(14)) << "Fahrenheit is its own class, not the Celsius object";
}

TEST(OvChType, UnlistedCodesReadPlainNumbersWithoutNoData)
{
    for (const uint16_t code : {0, 12, 15, 268, 270, 999, 1000, 1004, 65535}) {
        SCOPED_TRACE(code);
        const OvChTypeBase& type = OvChTypeOf(code);
        EXPECT_EQ(std::type_index(typeid(OvChTypeNull)), std::type_index(typeid(type)));
        EXPECT_EQ(500.0, type.RawToValue(500));
        EXPECT_EQ(u"500", type.FormatRaw(500, false));
        EXPECT_EQ(u"500 ", type.FormatRaw(500, true)) << "one space, then the empty unit";
        EXPECT_FALSE(type.IsInvalid(0xEEEE));
        EXPECT_FALSE(type.IsInvalid(0xFFFF));
        EXPECT_EQ(0, type.GetRawSize());
        EXPECT_TRUE(type.GetInvalidBytes().empty());
    }
}

TEST(OvChType, NoDataCodesPerType)
{
    struct Row {
        uint16_t code;
        uint16_t raw;
        bool invalid;
    };
    const Row rows[] = {
        {13, 0xEEEE, true},   {13, 0xEEED, false},  {13, 0xEEEF, false},  {14, 0xEEEE, true},
        {208, 0xEEEE, true},  {209, 0xEEEE, true},  {65, 0xEEEE, true},   {67, 0xEEEE, true},
        {73, 0xEEEE, true},   {85, 0xEEEE, true},   {329, 0xEEEE, false}, {341, 0xEEEE, false},
        {66, 0xEFFF, false},  {66, 0xF000, true},   {66, 0xF00F, true},   {66, 0xF010, false},
        {129, 0xF005, true},  {146, 0xF005, true},  {154, 0xF00F, true},  {146, 0x8FFF, false},
        {77, 61439, false},   {77, 61440, true},    {352, 0x7FFF, false}, {352, 0x8000, true},
        {384, 0x7FFF, false}, {384, 0x8000, true},  {1001, 61439, false}, {1001, 61440, true},
        {1002, 0xFFFF, true}, {999, 0xEEEE, false},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.invalid, OvChTypeOf(row.code).IsInvalid(row.raw)) << Trace(row.code, row.raw);
}

TEST(OvChType, NoDataMarkerBytesReadBackAsNoData)
{
    struct Row {
        std::vector<uint8_t> bytes;
        std::vector<uint16_t> codes;
    };
    const Row rows[] = {
        {{0xEE, 0xEE}, {13, 269, 14, 65, 67, 208, 464, 209, 465, 73, 85, 352, 384}},
        {{0x00, 0xF0}, {66}},
        {{0x0F, 0xF0}, {129, 146, 154}},
        {{0x02, 0xF0}, {77, 78}},
        {{0xFF, 0xFF}, {1001, 1002, 1003}},
        {{}, {329, 341, 333, 334, 589, 590, 999}},
    };
    for (const Row& row : rows) {
        for (const uint16_t code : row.codes) {
            SCOPED_TRACE(code);
            const OvChTypeBase& type = OvChTypeOf(code);
            EXPECT_EQ(row.bytes, type.GetInvalidBytes());
            // A writer puts the marker in file order, low byte first; a reader must see it as no data.
            if (row.bytes.size() == 2) {
                EXPECT_TRUE(type.IsInvalid(uint16_t(row.bytes[0] | row.bytes[1] << 8)));
            }
        }
    }
}

TEST(OvChType, RawToValueDecodesEachCoding)
{
    struct Row {
        uint16_t code;
        uint16_t raw;
        double value;
    };
    // Exact comparisons: the value is the integer divided once by the power of ten.
    const Row rows[] = {
        {13, 1215, 21.5},      {269, 1215, 21.5},      {13, 63806, -273.0},      {13, 900, -10.0},
        {13, 31000, 3000.0},   {14, 1215, 70.7},       {14, 999, 31.8},          {14, 63806, -459.4},
        {208, 1555, 55.0},     {208, 1559, 55.0},      {208, 985, -1.0},         {464, 1555, 55.0},
        {209, 1555, 55.5},     {465, 985, -1.5},       {65, 10132, 1013.2},      {65, 61165, 6116.5},
        {67, 0, 500.0},        {67, 1, 500.01},        {67, 51325, 1013.25},     {67, 61152, 1111.52},
        {73, 0x1234, 11.28},   {73, 7, 0.07},          {73, 0xA4D2, 12636.16},   {329, 0xA4D2, 1263616.0},
        {85, 0x94D2, 631.808}, {85, 7, 0.007},         {341, 0xE4D2, 20.217856}, {341, 1, 0.000001},
        {66, 0x8FFF, -1.0},    {66, 0x7FFF, 524160.0}, {129, 0x8FFB, -0.05},     {129, 7, 0.07},
        {146, 0x8FFF, -0.1},   {146, 0x8000, -409.6},  {146, 0xE877, -12345.6},  {154, 1234, 123.4},
        {77, 61439, 61439.0},  {352, 16383, 16383.0},  {384, 0x4005, -0.005},    {384, 16383, 16.383},
        {384, 32767, -16.383}, {1001, 61439, 61439.0}, {999, 500, 500.0},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.value, OvChTypeOf(row.code).RawToValue(row.raw)) << Trace(row.code, row.raw);
}

TEST(OvChType, RawToIntAndIntToRawInvertEachOther)
{
    struct Row {
        uint16_t code;
        uint16_t raw;
        int64_t integer;
    };
    const Row rows[] = {
        {13, 1215, 215},        {13, 900, -100},       {13, 63806, -2730},   {13, 31000, 30000},
        {14, 1215, 707},        {14, 1001, 321},       {14, 999, 318},       {14, 63806, -4594},
        {14, 31000, 54320},     {208, 1559, 559},      {65, 10132, 10132},   {67, 0, 50000},
        {67, 61152, 111152},    {73, 4095, 4095},      {73, 0x1800, 4096},   {73, 0x99A4, 1263616},
        {73, 0xDA4D, 21602304}, {85, 0x89A4, 631808},  {146, 0x0FFF, 4095},  {146, 0x1800, 4096},
        {146, 0x7FFF, 524160},  {146, 0x8FFF, -1},     {146, 0x8001, -4095}, {146, 0x9800, -4096},
        {146, 0xD0EE, -123456}, {66, 0xF010, -522240}, {384, 0x4005, -5},    {384, 32767, -16383},
        {384, 16383, 16383},    {77, 61439, 61439},    {1001, 0, 0},         {999, 65535, 65535},
    };
    for (const Row& row : rows) {
        const OvChTypeBase& type = OvChTypeOf(row.code);
        EXPECT_EQ(row.integer, type.RawToInt(row.raw)) << Trace(row.code, row.raw);
        EXPECT_EQ(row.raw, type.IntToRaw(row.integer)) << Trace(row.code, row.integer);
    }
}

TEST(OvChType, IntToRawFoldsIntegersTheCodingCannotHold)
{
    struct Row {
        uint16_t code;
        int64_t integer;
        uint16_t raw;
    };
    const Row rows[] = {
        {73, -5, 0},                     // exponent coding has no negatives
        {73, 4097, 0x1800},              // the dropped low bit truncates
        {73, 1263617, 0x99A4},           // 2468 << 9
        {329, 12345678, 0xCBC6},         // 3014 << 12
        {146, int64_t(1) << 19, 61440},  // e = 8 is out of range
        {146, int64_t(1) << 20, 61440},
        {146, -(int64_t(1) << 20), 61440},
        {146, -4097, 0x9800},  // magnitude truncated, then negated
        {14, 708, 1216},
        {14, 709, 1217},        // no Celsius tenth shows as 70.9 °F: the next one up
        {384, -20000, 0x4E20},  // magnitude keeps its low 14 bits
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.raw, OvChTypeOf(row.code).IntToRaw(row.integer)) << Trace(row.code, row.integer);
}

TEST(OvChType, ValueToRawTakesTheDigitJustAboveAValue)
{
    struct Row {
        uint16_t code;
        double value;
        uint16_t raw;
    };
    const Row rows[] = {
        {13, 21.3, 1213},  {13, -10.0, 900},       {13, -273.0, 63806},   {14, 70.7, 1215},
        {14, 31.8, 999},   {208, 55.0, 1550},      {65, 1013.2, 10132},   {67, 1013.25, 51325},
        {73, 11.28, 1128}, {73, 12636.16, 0x99A4}, {85, 631.808, 0x89A4}, {341, 20.217856, 0xD9A4},
        {129, 0.089, 9},   {129, -0.05, 0x8FFB},   {146, -0.1, 0x8FFF},   {146, -12345.6, 0xD0EE},
        {66, 400.0, 400},  {384, -0.005, 0x4005},  {384, 1.5, 1500},      {77, 12.95, 13},
        {999, 12.9, 12},   {999, 0.95, 0},  // unlisted types truncate
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.raw, OvChTypeOf(row.code).ValueToRaw(row.value))
            << "type " << row.code << ", value " << row.value;
}

TEST(OvChType, EveryValidCodeSurvivesBothRoundTrips)
{
    // Ranges of valid codes that are the one code of their integer (exponent codings have several
    // codes for small numbers; only those with a full mantissa, or exponent 0, are the canonical one).
    struct Row {
        uint16_t code;
        uint16_t first;
        uint16_t last;
    };
    const Row rows[] = {
        {13, 63806, 65535},    {13, 0, 31000},        {14, 63806, 65535},    {14, 0, 31000},
        {209, 63806, 65535},   {209, 0, 31000},       {65, 0, 61165},        {67, 0, 61152},
        {73, 0, 4095},         {73, 0x1800, 0x1FFF},  {73, 0xD800, 0xDA4D},  {329, 0xF800, 0xFABE},
        {85, 0x9800, 0x99E7},  {341, 0xE800, 0xEEED}, {146, 0, 0x0FFF},      {146, 0x7800, 0x7FFF},
        {146, 0x8001, 0x8FFF}, {146, 0x9001, 0x9800}, {129, 0x8001, 0x8FFF}, {129, 0x1800, 0x1FFF},
        {154, 0xE001, 0xE800}, {66, 0x3800, 0x3FFF},  {77, 0, 61439},        {352, 0, 16383},
        {384, 0, 0x3FFF},      {384, 0x4001, 0x7FFF}, {1001, 0, 61439},      {999, 0, 65535},
    };
    for (const Row& row : rows) {
        const OvChTypeBase& type = OvChTypeOf(row.code);
        for (uint32_t raw = row.first; raw <= row.last; ++raw) {
            const uint16_t code = uint16_t(raw);
            ASSERT_EQ(code, type.IntToRaw(type.RawToInt(code))) << Trace(row.code, code);
            ASSERT_EQ(code, type.ValueToRaw(type.RawToValue(code))) << Trace(row.code, code);
        }
    }
}

TEST(OvChType, StepUpAndStepDownMoveOneDigitWithinTheValidBounds)
{
    struct Row {
        uint16_t code;
        uint16_t raw;
        uint16_t up;
        uint16_t down;
    };
    const Row rows[] = {{13, 1215, 1216, 1214},        {13, 31000, 31000, 30999},
                        {13, 63806, 63807, 63806},     {14, 1216, 1217, 1215},
                        {14, 31000, 31000, 30999},     {14, 63806, 63807, 63806},
                        {208, 1555, 1565, 1545},       {208, 32756, 32766, 32746},
                        {208, 32757, 32757, 32747},    {208, 63816, 63826, 63806},
                        {208, 63815, 63825, 63815},    {209, 1555, 1556, 1554},
                        {209, 31000, 31000, 30999},    {65, 0, 1, 0},
                        {65, 61165, 61165, 61164},     {67, 0, 1, 0},
                        {67, 61152, 61152, 61151},     {73, 0, 1, 0},
                        {73, 4095, 0x1800, 4094},      {73, 0x1800, 0x1801, 4095},
                        {73, 0xDA4D, 0xDA4D, 0xDA4C},  {329, 64190, 64190, 64189},
                        {85, 39399, 39399, 39398},     {341, 61165, 61165, 61164},
                        {146, 0, 1, 0x8FFF},           {146, 0x8FFF, 0, 0x8FFE},
                        {146, 0x7FFF, 0x7FFF, 0x7FFE}, {66, 0x0FFF, 0x1800, 0x0FFE},
                        {129, 0x8FFB, 0x8FFC, 0x8FFA}, {77, 0, 1, 0},
                        {77, 61439, 61439, 61438},     {352, 16383, 16383, 16382},
                        {384, 16383, 16383, 16382},    {384, 32767, 0x7FFE, 32767},
                        {384, 0, 1, 0x4001},           {384, 0x4001, 0, 0x4002},
                        {1001, 61439, 61439, 61438},   {999, 0, 1, 0},
                        {999, 65535, 65535, 65534}};
    for (const Row& row : rows) {
        const OvChTypeBase& type = OvChTypeOf(row.code);
        EXPECT_EQ(row.up, type.StepUp(row.raw)) << Trace(row.code, row.raw);
        EXPECT_EQ(row.down, type.StepDown(row.raw)) << Trace(row.code, row.raw);
    }
    const OvChTypeBase& type = OvChTypeOf(146);
    EXPECT_EQ(61440, type.StepDown(61440)) << "the smallest valid code stays";
}

TEST(OvChType, FormatRawWritesTheNumberThenOneSpaceAndTheUnit)
{
    struct Row {
        uint16_t code;
        uint16_t raw;
        const char16_t* withUnit;
    };
    const Row celsiusCoded[] = {
        {13, 1215, u"21.5 °C"},     {13, 900, u"-10.0 °C"},      {13, 995, u"-0.5 °C"},
        {13, 1000, u"0.0 °C"},      {13, 63806, u"-273.0 °C"},   {14, 1215, u"70.7 °F"},
        {14, 63806, u"-459.4 °F"},  {208, 1555, u"55 %"},        {208, 1559, u"55 %"},
        {208, 985, u"-1 %"},        {209, 1555, u"55.5 %"},      {465, 985, u"-1.5 %"},
        {65, 10132, u"1013.2 hPa"}, {67, 51325, u"1013.25 hPa"}, {67, 0, u"500.00 hPa"},
    };
    const Row otherCodings[] = {
        {66, 400, u"400 ppm"},         {66, 0x8FFF, u"-1 ppm"},         {73, 0x1234, u"11.28 lx"},
        {73, 0xA4D2, u"12.63 klx"},    {329, 0xE4D2, u"20.21 Mlxh"},    {329, 0xEEEE, u"62.61 Mlxh"},
        {85, 0x94D2, u"631.8 mW/cm2"}, {341, 0x94D2, u"631.8 mW/cm2h"}, {129, 0x8FFB, u"-0.05 mA"},
        {146, 0x8FFF, u"-0.1 mV"},     {146, 0xE877, u"-12.34 V"},      {154, 0x8FFF, u"-0.1 dB"},
        {154, 1234, u"123.4 dB"},      {77, 61439, u"61439 pulse"},     {352, 16383, u"16383 pulse"},
        {384, 0x4005, u"-5 mV"},       {384, 16383, u"16383 mV"},       {1001, 61439, u"61439 "},
        {999, 500, u"500 "},
    };
    // Without the unit the text stops before the space.
    const auto expectFormatted = [](const Row& row) {
        const OvChTypeBase& type = OvChTypeOf(row.code);
        const std::u16string withUnit = row.withUnit;
        EXPECT_EQ(withUnit, type.FormatRaw(row.raw, true)) << Trace(row.code, row.raw);
        EXPECT_EQ(withUnit.substr(0, withUnit.find(u' ')), type.FormatRaw(row.raw, false))
            << Trace(row.code, row.raw);
    };
    for (const Row& row : celsiusCoded) expectFormatted(row);
    for (const Row& row : otherCodings) expectFormatted(row);

    const RawRow noData[] = {
        {13, 0xEEEE},  {464, 0xEEEE}, {66, 0xF000},  {73, 0xEEEE},  {85, 0xEEEE},  {129, 0xF00F},
        {146, 0xF005}, {77, 61440},   {352, 0x8000}, {384, 0x8000}, {1001, 61440},
    };
    for (const RawRow& row : noData)
        EXPECT_EQ(u"----", OvChTypeOf(row.code).FormatRaw(row.raw, false)) << Trace(row.code, row.raw);
}

TEST(OvChType, FormatIntWritesThePlainNumberWithoutNoDataTest)
{
    struct Row {
        uint16_t code;
        uint16_t raw;
        const char* text;
    };
    const Row rows[] = {
        {13, 1215, "21.5"},        {13, 0xEEEE, "-537.0"},   {14, 1215, "70.7"},
        {208, 1559, "55"},         {209, 1559, "55.9"},      {67, 0, "500.00"},
        {73, 0xA4D2, "12636.16"},  {329, 0xA4D2, "1263616"}, {85, 0x94D2, "631.808"},
        {341, 0x94D2, "0.631808"}, {146, 0x8FFF, "-0.1"},    {146, 0xE877, "-12345.6"},
        {129, 0x8FFB, "-0.05"},    {66, 0xF000, "-524288"},  {384, 0x4005, "-5"},
        {77, 61440, "61440"},      {999, 500, "500"},
    };
    for (const Row& row : rows) {
        const OvChTypeBase& type = OvChTypeOf(row.code);
        EXPECT_EQ(row.text, type.FormatIntNarrow(row.raw)) << Trace(row.code, row.raw);
        EXPECT_EQ(Widen(row.text), type.FormatInt(row.raw)) << Trace(row.code, row.raw);
    }
}

TEST(OvChType, AutoRangingPicksDigitsAndPrefixByMagnitude)
{
    // One table per type, one row per number of digits of the integer.
    struct Row {
        int64_t integer;
        const char16_t* withUnit;
    };
    const Row lx[] = {
        {5, u"0.05 lx"},         {42, u"0.42 lx"},         {123, u"1.23 lx"},
        {1234, u"12.34 lx"},     {19744, u"197.4 lx"},     {123456, u"1234 lx"},
        {1263616, u"12.63 klx"}, {21602304, u"216.0 klx"}, {134184960, u"134184960 lx"},
    };
    const Row lxh[] = {
        {7, u"7 lxh"},           {42, u"42 lxh"},           {123, u"123 lxh"},
        {4095, u"4095 lxh"},     {19744, u"19.74 klxh"},    {123456, u"123.4 klxh"},
        {1263616, u"1263 klxh"}, {12345678, u"12.34 Mlxh"}, {134184960, u"134184960 lxh"},
    };
    const Row uv[] = {
        {5, u"0.005 mW/cm2"},      {42, u"0.042 mW/cm2"},      {123, u"0.123 mW/cm2"},
        {1234, u"1.234 mW/cm2"},   {12345, u"12.34 mW/cm2"},   {631808, u"631.8 mW/cm2"},
        {1297920, u"1297 mW/cm2"}, {12345678, u"12.34 W/cm2"}, {123456789, u"12345 W/cm2"},
    };
    const Row uvh[] = {
        {5, u"0.005 mW/cm2h"},      {42, u"0.042 mW/cm2h"},      {123, u"0.123 mW/cm2h"},
        {1234, u"1.234 mW/cm2h"},   {12345, u"12.34 mW/cm2h"},   {631808, u"631.8 mW/cm2h"},
        {1297920, u"1297 mW/cm2h"}, {20217856, u"20.21 W/cm2h"},
    };
    // The signed types put the minus sign in front and name the unit themselves; an unlisted
    // number of digits has none.
    const Row mV[] = {
        {5, u"0.5 mV"},      {-5, u"-0.5 mV"},    {12, u"1.2 mV"},        {123, u"12.3 mV"},
        {1234, u"123.4 mV"}, {12345, u"1.234 V"}, {-123456, u"-12.34 V"}, {1234567, u"1234567 "},
    };
    const Row mA[] = {
        {5, u"0.05 mA"},     {-5, u"-0.05 mA"},      {42, u"0.42 mA"},     {123, u"1.23 mA"},
        {1234, u"12.34 mA"}, {-12345, u"-123.4 mA"}, {123456, u"1.234 A"}, {1234567, u"1234567 "},
    };
    const auto expectRanged = [](std::u16string (*text)(int64_t), std::span<const Row> rows) {
        for (const Row& row : rows) EXPECT_EQ(row.withUnit, text(row.integer)) << row.integer;
    };
    expectRanged(&Ranged<OvChTypeILLUMINANCE>::Text, lx);
    expectRanged(&Ranged<OvChTypeILLUMINANCE_CUMULATIVE>::Text, lxh);
    expectRanged(&Ranged<OvChTypeUV_INTENSITY>::Text, uv);
    expectRanged(&Ranged<OvChTypeUV_INTENSITY_CUMULATIVE>::Text, uvh);
    expectRanged(&Ranged<OvChTypeVOLTAGE_100_MICRO_V>::Text, mV);
    expectRanged(&Ranged<OvChTypeCURRENT_10_MICRO_A>::Text, mA);
}

TEST(OvChType, FormatFixedWritesEachDecimalCount)
{
    struct Row {
        int64_t integer;
        int decimals;
        const char* text;
    };
    const Row rows[] = {
        {215, 1, "21.5"},
        {-5, 1, "-0.5"},
        {-100, 1, "-10.0"},
        {5, 2, "0.05"},
        {-5, 2, "-0.05"},
        {1234, 3, "1.234"},
        {1, 4, "0.0001"},
        {123456, 5, "1.23456"},
        {-631808, 6, "-0.631808"},
        {1, 7, "0.0000001"},
        {123456789, 8, "1.23456789"},
        {1000000000, 9, "1.000000000"},
        {0, 9, "0.000000000"},
    };
    for (const Row& row : rows) EXPECT_EQ(row.text, FormatFixed(row.integer, row.decimals)) << row.integer;
}

TEST(OvChType, FormatFixedRefusesDecimalsOutsideOneToNine)
{
    for (const int decimals : {-1, 0, 10}) {
        try {
            FormatFixed(215, decimals);
            ADD_FAILURE() << decimals << " decimals were accepted";
        } catch (const orvel::SeriousError& error) {
            EXPECT_NE(std::string::npos, std::string(error.what()).find("illegal value.")) << error.what();
        }
    }
}

TEST(OvChType, StoredValueRoundingThresholds)
{
    // One table per rule: {decoded value, stored value}, from the top threshold down.
    struct Row {
        double value;
        double stored;
    };
    const Row illuminance[] = {
        {100050.0, 100000.0}, {99995.0, 99990.0}, {10005.0, 10000.0}, {1000.5, 1000.0},
        {1234.95, 1235.0},    {999.97, 999.9},    {100.0, 100.0},     {99.99, 99.99},
    };
    const Row illuminanceCumulative[] = {
        {12345678.0, 12340000.0}, {1234567.0, 1234000.0}, {123456.0, 123400.0},
        {12345.0, 12340.0},       {1234.5, 1234.0},       {999.5, 999.5},
    };
    const Row fourDigits[] = {
        {1234.5, 1234.0}, {123.456, 123.4}, {12.345, 12.34}, {9.8765, 9.8765}, {-1234.5, -1234.5},
    };
    const Row uvCumulative[] = {
        {12345678.0, 12340000.0}, {1234567.0, 1234000.0}, {123456.0, 123400.0}, {12345.0, 12340.0},
        {1234.5, 1234.0},         {123.456, 123.4},       {12.345, 12.34},      {9.8765, 9.8765},
    };
    const auto expectRounded = [](std::span<const RoundingStep> steps, std::span<const Row> rows) {
        for (const Row& row : rows) EXPECT_EQ(row.stored, RoundToSteps(row.value, steps)) << row.value;
    };
    expectRounded(kIlluminanceSteps, illuminance);
    expectRounded(kIlluminanceCumulativeSteps, illuminanceCumulative);
    expectRounded(kFourDigitSteps, fourDigits);
    expectRounded(kUvCumulativeSteps, uvCumulative);
}

TEST(OvChType, GetDataValueKeepsAboutFourDigitsForTheRoundingTypes)
{
    struct Row {
        uint16_t code;
        uint16_t raw;
        double stored;
    };
    const Row rows[] = {
        {73, 1234, 12.34},        {73, 0x44D2, 197.4},       {73, 0x6789, 1234.0},    {73, 0xA4D2, 12630.0},
        {73, 0xDA4D, 216000.0},   {329, 999, 999.0},         {329, 0x44D2, 19740.0},  {329, 0x6789, 123400.0},
        {329, 0xA4D2, 1263000.0}, {329, 0xE4D2, 20210000.0}, {85, 0x34D2, 9.872},     {85, 0x44D2, 19.74},
        {85, 0x94D2, 631.8},      {85, 0x99E7, 1298.0},      {341, 0x94D2, 0.631808}, {341, 0xE4D2, 20.21},
        {341, 0xFFFF, 134.1},     {146, 0x6789, 12345.0},    {146, 0x44D2, 1974.0},   {146, 0x14D2, 246.8},
        {154, 0x44D2, 1974.0},    {129, 0x6789, 1234.56},    {66, 0x6789, 123456.0},  {13, 1215, 21.5},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.stored, OvChTypeOf(row.code).GetDataValue(row.raw)) << Trace(row.code, row.raw);
}

TEST(OvChType, SixteenBitTypesReadTheLowHalfOfA32BitCode)
{
    struct Row {
        uint16_t code;
        uint32_t raw;
        const char16_t* text;
        bool invalid;
    };
    const Row rows[] = {
        {13, 0x000104BF, u"21.5 °C", false},
        {13, 0x0001EEEE, u"----", true},
        {73, 0xFFFFA4D2, u"12.63 klx", false},
    };
    for (const Row& row : rows) {
        const OvChTypeBase& type = OvChTypeOf(row.code);
        const uint16_t low = uint16_t(row.raw);
        EXPECT_EQ(row.text, type.FormatRaw32(row.raw, true)) << Trace(row.code, row.raw);
        EXPECT_EQ(row.invalid, type.IsInvalid32(row.raw)) << Trace(row.code, row.raw);
        EXPECT_EQ(type.RawToInt(low), type.RawToInt32(row.raw)) << Trace(row.code, row.raw);
        EXPECT_EQ(type.StepUp(low), type.StepUp32(row.raw)) << Trace(row.code, row.raw);
    }
}

TEST(OvChType, CumulativePulseCountsIn32Bits)
{
    struct Row {
        uint32_t raw;
        const char16_t* text;
        double value;
        double justBelow;  // stored as the same count: floor(v + 0.1)
        uint32_t up;
        uint32_t down;
    };
    const Row rows[] = {
        {0, u"0 pulse", 0.0, -0.05, 1, 0},
        {70000, u"70000 pulse", 70000.0, 69999.95, 70001, 69999},
        {0xFFFFFFFF, u"4294967295 pulse", 4294967295.0, 4294967294.95, 0xFFFFFFFF, 0xFFFFFFFE},
    };
    for (const uint16_t code : {333, 334, 589, 590}) {
        const OvChTypeBase& type = OvChTypeOf(code);
        for (const Row& row : rows) {
            SCOPED_TRACE(Trace(code, row.raw));
            EXPECT_EQ(row.text, type.FormatRaw32(row.raw, true));
            EXPECT_FALSE(type.IsInvalid32(row.raw));
            EXPECT_EQ(row.value, type.RawToValue32(row.raw));
            EXPECT_EQ(row.value, type.GetDataValue32(row.raw));
            EXPECT_EQ(row.raw, type.IntToRaw32(type.RawToInt32(row.raw)));
            EXPECT_EQ(row.raw, type.ValueToRaw32(row.value));
            EXPECT_EQ(row.raw, type.ValueToRaw32(row.justBelow));
            EXPECT_EQ(row.up, type.StepUp32(row.raw));
            EXPECT_EQ(row.down, type.StepDown32(row.raw));
        }
    }
}

TEST(OvChType, CumulativePulseRefusesEvery16BitOperation)
{
    struct Row {
        const char* name;
        std::function<void(const OvChTypeBase&)> call;
    };
    const Row rows[] = {
        {"IsInvalid", [](const OvChTypeBase& t) { t.IsInvalid(1); }},
        {"GetMaxRaw", [](const OvChTypeBase& t) { t.GetMaxRaw(); }},
        {"GetMinRaw", [](const OvChTypeBase& t) { t.GetMinRaw(); }},
        {"StepUp", [](const OvChTypeBase& t) { t.StepUp(1); }},
        {"StepDown", [](const OvChTypeBase& t) { t.StepDown(1); }},
        {"RawToInt", [](const OvChTypeBase& t) { t.RawToInt(1); }},
        {"IntToRaw", [](const OvChTypeBase& t) { t.IntToRaw(1); }},
        {"RawToValue", [](const OvChTypeBase& t) { t.RawToValue(1); }},
        {"ValueToRaw", [](const OvChTypeBase& t) { t.ValueToRaw(1.0); }},
        {"FormatRaw", [](const OvChTypeBase& t) { t.FormatRaw(1, true); }},
        {"FormatInt", [](const OvChTypeBase& t) { t.FormatInt(1); }},
        {"FormatIntNarrow", [](const OvChTypeBase& t) { t.FormatIntNarrow(1); }},
        {"GetDataValue", [](const OvChTypeBase& t) { t.GetDataValue(1); }},
    };
    for (const uint16_t code : {333, 334, 589, 590}) {
        for (const Row& row : rows) {
            try {
                row.call(OvChTypeOf(code));
                ADD_FAILURE() << row.name << " of type " << code << " was accepted";
            } catch (const orvel::SeriousError& error) {
                EXPECT_EQ("OvChType", error.SourceFile()) << row.name;
            }
        }
    }
}
