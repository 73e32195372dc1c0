#pragma once

#include <cstdint>

namespace orvel {

// a / b rounded towards minus infinity (b != 0): FloorDiv(-1, 1000) is -1 where a / b gives 0, so
// a time before 1970 falls into the second, day or year it belongs to.
constexpr int64_t FloorDiv(int64_t a, int64_t b)
{
    const int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// The remainder that goes with FloorDiv; it takes the sign of b: FloorMod(-1, 1000) is 999.
constexpr int64_t FloorMod(int64_t a, int64_t b) { return a - FloorDiv(a, b) * b; }

}  // namespace orvel
