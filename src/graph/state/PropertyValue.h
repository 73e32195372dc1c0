#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>

#include "graph/Geometry.h"

namespace ovgGraph {

// One property value of a graph object, as the mementos, the setter commands and the default
// values carry it. Flags, enumerations and bytes travel as int32_t, colours as uint32_t.
using PropertyValue = std::variant<int32_t, uint32_t, double, QString, Point, Rect>;

// How a value is written as the text of its XML element.
enum class Encoding {
    kInt,        // "%d"
    kColor,      // "0x%08X", 0x00BBGGRR (0xFFFFFFFF: none)
    kTextColor,  // "0x%06X"
    kByteUpper,  // "0x%02X"
    kByteLower,  // "0x%02x"
    kPoint,      // "%d,%d"
    kRect,       // "%d,%d,%d,%d"
    kReal,       // Base64 of the 8 little-endian bytes of the double, then CR LF
    kText,       // the text itself
};

std::string EncodeValue(const PropertyValue& value, Encoding encoding);
// Never fails: unparsable numbers read as 0; a real whose text does not decode to exactly 8
// bytes reads as 0.0 (and still counts as present).
PropertyValue DecodeValue(const std::string& text, Encoding encoding);

// Conversions between the C++ type of an accessor and the value: every integral type travels as
// int32_t except uint32_t.
template <class T>
PropertyValue ToValue(const T& value)
{
    if constexpr (std::is_same_v<T, uint32_t> || std::is_same_v<T, double> || std::is_same_v<T, QString> ||
                  std::is_same_v<T, Point> || std::is_same_v<T, Rect>)
        return value;
    else
        return int32_t(value);
}

// Lenient on the numeric alternatives, so a value read with another numeric encoding still
// applies.
template <class T>
T FromValue(const PropertyValue& value)
{
    if constexpr (std::is_arithmetic_v<T>) {
        return std::visit(
            [](const auto& v) -> T {
                using V = std::decay_t<decltype(v)>;
                if constexpr (std::is_arithmetic_v<V>)
                    return T(v);
                else
                    return T{};
            },
            value);
    } else {
        const T* held = std::get_if<T>(&value);
        return held ? *held : T{};
    }
}

}  // namespace ovgGraph
