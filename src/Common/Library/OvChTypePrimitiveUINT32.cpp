#include "Common/Library/OvChTypePrimitiveUINT32.h"

#include "Common/Library/OvChTypeFormat.h"
#include "Common/Library/SeriousError.h"

namespace orvel::detail {

#define REFUSE_16_BIT() throw ::orvel::SeriousError("OvChType", __LINE__, "16-bit operation on a 32-bit channel type")

bool OvChTypePrimitiveUINT32::IsInvalid(uint16_t) const { REFUSE_16_BIT(); }
uint16_t OvChTypePrimitiveUINT32::GetMaxRaw() const { REFUSE_16_BIT(); }
uint16_t OvChTypePrimitiveUINT32::GetMinRaw() const { REFUSE_16_BIT(); }
uint16_t OvChTypePrimitiveUINT32::StepUp(uint16_t) const { REFUSE_16_BIT(); }
uint16_t OvChTypePrimitiveUINT32::StepDown(uint16_t) const { REFUSE_16_BIT(); }
int64_t OvChTypePrimitiveUINT32::RawToInt(uint16_t) const { REFUSE_16_BIT(); }
uint16_t OvChTypePrimitiveUINT32::IntToRaw(int64_t) const { REFUSE_16_BIT(); }
double OvChTypePrimitiveUINT32::RawToValue(uint16_t) const { REFUSE_16_BIT(); }
uint16_t OvChTypePrimitiveUINT32::ValueToRaw(double) const { REFUSE_16_BIT(); }
std::u16string OvChTypePrimitiveUINT32::FormatRaw(uint16_t, bool) const { REFUSE_16_BIT(); }
std::u16string OvChTypePrimitiveUINT32::FormatInt(uint16_t) const { REFUSE_16_BIT(); }
std::string OvChTypePrimitiveUINT32::FormatIntNarrow(uint16_t) const { REFUSE_16_BIT(); }
double OvChTypePrimitiveUINT32::GetDataValue(uint16_t) const { REFUSE_16_BIT(); }

uint32_t OvChTypePrimitiveUINT32::ValueToRaw32(double value) const
{
    const int64_t integer = FloorToInt64(value + 0.1);
    if (integer < 0) return 0;
    return integer > int64_t(0xFFFFFFFFu) ? 0xFFFFFFFFu : uint32_t(integer);
}

std::u16string OvChTypePrimitiveUINT32::FormatRaw32(uint32_t raw, bool withUnit) const
{
    std::u16string text = Widen(std::to_string(raw));
    if (withUnit) text += u" " + GetUnit();
    return text;
}

}  // namespace orvel::detail
