#include "Common/Library/OvChTypeCELSIUS.h"

#include "Common/Library/FloorDiv.h"
#include "Common/Library/OvChTypeFormat.h"

namespace orvel::detail {
namespace {

int64_t CeilDiv(int64_t a, int64_t b) { return -FloorDiv(-a, b); }

}  // namespace

// Exact integer arithmetic: floor(tenths * 1.8) + 320, without the rounding error of 1.8 in binary.
int64_t OvChTypeFAHRENHEIT::RawToInt(uint16_t raw) const
{
    return FloorDiv(OvChTypeCELSIUS::RawToInt(raw) * 9, 5) + 320;
}

uint16_t OvChTypeFAHRENHEIT::IntToRaw(int64_t integer) const
{
    return uint16_t(CeilDiv(integer * 5 - 1600, 9) + 1000);
}

// Humidity steps by one percent (10 raw units) and stops below the signed 16-bit maximum.
uint16_t OvChTypeHUMIDITY::StepUp(uint16_t raw) const
{
    const int next = int16_t(raw) + 10;
    return next < 32767 ? uint16_t(next) : raw;
}

uint16_t OvChTypeHUMIDITY::StepDown(uint16_t raw) const
{
    const int next = int16_t(raw) - 10;
    return next >= int16_t(GetMinRaw()) ? uint16_t(next) : raw;
}

double OvChTypeHUMIDITY::RawToValue(uint16_t raw) const { return double(RawToInt(raw) / 10); }

std::string OvChTypeHUMIDITY::FormatIntNarrow(uint16_t raw) const { return std::to_string(RawToInt(raw) / 10); }

std::u16string OvChTypeHUMIDITY::DisplayText(int64_t integer, std::u16string* unitText) const
{
    if (unitText) *unitText = GetUnit();
    return Widen(std::to_string(integer / 10));
}

}  // namespace orvel::detail
