#include "Common/Library/OvChTypeNull.h"

#include <cmath>

#include "Common/Library/OvChTypeFormat.h"

namespace orvel::detail {

// Truncates: there is no displayed digit to round to.
uint16_t OvChTypeNull::ValueToRaw(double value) const
{
    const double truncated = std::trunc(value);
    return IntToRaw(truncated < 0 ? -FloorToInt64(-truncated) : FloorToInt64(truncated));
}

}  // namespace orvel::detail
