#include "Common/Library/OvChTypeBase.h"

#include "Common/Library/OvChTypeFormat.h"

namespace orvel::detail {
namespace {

// 10^decimals, exact in a double. The value is one division by it (integer / 100, not / 10 / 10),
// so raw 7 of a hundredths type reads 0.07 and not 0.06999999999999999.
double PowerOfTen(int decimals)
{
    double scale = 1.0;
    for (int i = 0; i < decimals; ++i) scale *= 10.0;
    return scale;
}

}  // namespace

bool OvChTypeBase::IsInvalid32(uint32_t raw) const { return IsInvalid(uint16_t(raw)); }
uint32_t OvChTypeBase::GetMaxRaw32() const { return GetMaxRaw(); }
uint32_t OvChTypeBase::GetMinRaw32() const { return GetMinRaw(); }
uint16_t OvChTypeBase::StepUp(uint16_t raw) const { return StepInteger(raw, +1); }
uint32_t OvChTypeBase::StepUp32(uint32_t raw) const { return StepUp(uint16_t(raw)); }
uint16_t OvChTypeBase::StepDown(uint16_t raw) const { return StepInteger(raw, -1); }
uint32_t OvChTypeBase::StepDown32(uint32_t raw) const { return StepDown(uint16_t(raw)); }
int64_t OvChTypeBase::RawToInt32(uint32_t raw) const { return RawToInt(uint16_t(raw)); }
uint32_t OvChTypeBase::IntToRaw32(int64_t integer) const { return IntToRaw(integer); }

double OvChTypeBase::RawToValue(uint16_t raw) const
{
    return double(RawToInt(raw)) / PowerOfTen(ValueDecimals());
}

double OvChTypeBase::RawToValue32(uint32_t raw) const { return RawToValue(uint16_t(raw)); }

uint16_t OvChTypeBase::ValueToRaw(double value) const
{
    // + 0.1 keeps a value such as 21.3 from being stored as 212.99999.
    return IntToRaw(FloorToInt64(value * PowerOfTen(ValueDecimals()) + 0.1));
}

uint32_t OvChTypeBase::ValueToRaw32(double value) const { return ValueToRaw(value); }

std::u16string OvChTypeBase::FormatRaw(uint16_t raw, bool withUnit) const
{
    if (IsInvalid(raw)) return u"----";
    std::u16string unit;
    std::u16string text = DisplayText(RawToInt(raw), &unit);
    if (withUnit) text += u" " + unit;
    return text;
}

std::u16string OvChTypeBase::FormatRaw32(uint32_t raw, bool withUnit) const
{
    return FormatRaw(uint16_t(raw), withUnit);
}

std::u16string OvChTypeBase::FormatInt(uint16_t raw) const { return Widen(FormatIntNarrow(raw)); }

std::string OvChTypeBase::FormatIntNarrow(uint16_t raw) const
{
    return FormatPlain(RawToInt(raw), ValueDecimals());
}

double OvChTypeBase::GetDataValue(uint16_t raw) const { return RawToValue(raw); }
double OvChTypeBase::GetDataValue32(uint32_t raw) const { return GetDataValue(uint16_t(raw)); }

std::u16string OvChTypeBase::DisplayText(int64_t integer, std::u16string* unitText) const
{
    if (unitText) *unitText = GetUnit();
    return Widen(FormatPlain(integer, ValueDecimals()));
}

uint16_t OvChTypeBase::StepInteger(uint16_t raw, int direction) const
{
    const int64_t current = RawToInt(raw);
    // Codings with an exponent cannot hold every integer: widen the step until the code moves.
    for (int64_t step = 1; step <= (int64_t(1) << 40); step *= 2) {
        const uint16_t next = IntToRaw(current + direction * step);
        const int64_t reached = RawToInt(next);
        if (direction > 0 ? reached <= current : reached >= current) continue;
        if (reached > RawToInt(GetMaxRaw()) || reached < RawToInt(GetMinRaw())) return raw;
        return next;
    }
    return raw;
}

}  // namespace orvel::detail
