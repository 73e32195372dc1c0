#include "Common/Library/OvChType.h"

#include <bitset>

#include "Common/Library/OvChTypeCELSIUS.h"
#include "Common/Library/OvChTypeFloatingPointNumberType0.h"
#include "Common/Library/OvChTypeILLUMINANCE.h"
#include "Common/Library/OvChTypeNull.h"
#include "Common/Library/OvChTypePrimitiveUINT16.h"
#include "Common/Library/OvChTypePrimitiveUINT32.h"

namespace orvel::detail {
namespace {

template <class T>
const OvChTypeBase& Instance()
{
    static const T* instance = new T;  // one per class, never destroyed
    return *instance;
}

struct TypeEntry {
    uint16_t code;
    const OvChTypeBase& (*instance)();
};

constexpr TypeEntry kTypeTable[] = {
    {13, Instance<OvChTypeCELSIUS>},
    {269, Instance<OvChTypeCELSIUS>},
    {14, Instance<OvChTypeFAHRENHEIT>},
    {65, Instance<OvChTypeATMOSPHERIC_PRESSURE>},
    {66, Instance<OvChTypeCO2>},
    {67, Instance<OvChTypeATMOSPHERIC_PRESSURE_H>},
    {73, Instance<OvChTypeILLUMINANCE>},
    {77, Instance<OvChTypePULSE_KP808>},
    {78, Instance<OvChTypePULSE_KP808>},
    {85, Instance<OvChTypeUV_INTENSITY>},
    {129, Instance<OvChTypeCURRENT_10_MICRO_A>},
    {146, Instance<OvChTypeVOLTAGE_100_MICRO_V>},
    {154, Instance<OvChTypeLX_100_MICRO_DB>},
    {208, Instance<OvChTypeHUMIDITY>},
    {464, Instance<OvChTypeHUMIDITY>},
    {209, Instance<OvChTypeHUMIDITY_H>},
    {465, Instance<OvChTypeHUMIDITY_H>},
    {329, Instance<OvChTypeILLUMINANCE_CUMULATIVE>},
    {333, Instance<OvChTypePULSE_KP808_CUMULATIVE>},
    {334, Instance<OvChTypePULSE_KP808_CUMULATIVE>},
    {589, Instance<OvChTypePULSE_KP808_CUMULATIVE>},
    {590, Instance<OvChTypePULSE_KP808_CUMULATIVE>},
    {341, Instance<OvChTypeUV_INTENSITY_CUMULATIVE>},
    {352, Instance<OvChTypePULSE_QXA41>},
    {384, Instance<OvChTypeVOLTAGE_QXA41>},
    {1001, Instance<OvChTypeJX5_UINT16>},
    {1002, Instance<OvChTypeJX5_UINT16>},
    {1003, Instance<OvChTypeJX5_UINT16>},
};

}  // namespace

const OvChTypeBase& OvChTypeOf(uint16_t code)
{
    for (const TypeEntry& entry : kTypeTable)
        if (entry.code == code) return entry.instance();
    return Instance<OvChTypeNull>();
}

bool IsListedChType(uint16_t code)
{
    // Asked for every sample decoded one at a time: one bit per code, not a search.
    static const std::bitset<65536> listed = [] {
        std::bitset<65536> bits;
        for (const TypeEntry& entry : kTypeTable) bits.set(entry.code);
        return bits;
    }();
    return listed[code];
}

}  // namespace orvel::detail
