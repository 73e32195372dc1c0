#pragma once

#include <cstdint>

#include "Common/Library/OvChTypeBase.h"

namespace orvel::detail {

// The channel type object of a type code; a code the table does not list gets OvChTypeNull.
// The objects are created on first use and live for the whole process; safe from any thread.
const OvChTypeBase& OvChTypeOf(uint16_t code);
// Whether the table lists the code: every code it does not list decodes alike.
bool IsListedChType(uint16_t code);

}  // namespace orvel::detail
