#include "graph/state/PropertyValue.h"

#include <cstdio>
#include <cstring>

#include "filelib/Base64.h"

namespace ovgGraph {
namespace {

std::string Format(const char* format, auto... args)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, args...);
    return buffer;
}

int32_t ParseInt(const std::string& text)
{
    int value = 0;
    return std::sscanf(text.c_str(), "%d", &value) == 1 ? value : 0;
}

uint32_t ParseHex(const std::string& text)
{
    unsigned value = 0;
    const char* digits = text.c_str();
    while (*digits == ' ' || *digits == '\t' || *digits == '\r' || *digits == '\n') ++digits;
    if (digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) digits += 2;
    return std::sscanf(digits, "%x", &value) == 1 ? value : 0;
}

}  // namespace

std::string EncodeValue(const PropertyValue& value, Encoding encoding)
{
    switch (encoding) {
        case Encoding::kInt: return Format("%d", FromValue<int32_t>(value));
        case Encoding::kColor: return Format("0x%08X", FromValue<uint32_t>(value));
        case Encoding::kTextColor: return Format("0x%06X", FromValue<uint32_t>(value));
        case Encoding::kByteUpper: return Format("0x%02X", unsigned(FromValue<uint8_t>(value)));
        case Encoding::kByteLower: return Format("0x%02x", unsigned(FromValue<uint8_t>(value)));
        case Encoding::kPoint: {
            const Point p = FromValue<Point>(value);
            return Format("%d,%d", p.x, p.y);
        }
        case Encoding::kRect: {
            const Rect r = FromValue<Rect>(value);
            return Format("%d,%d,%d,%d", r.left, r.top, r.right, r.bottom);
        }
        case Encoding::kReal: {
            const double d = FromValue<double>(value);
            uint8_t bytes[8];
            std::memcpy(bytes, &d, 8);  // the machine is little-endian, as the stored form is
            return OvGraphFileLib::EncodeBase64(bytes, 8) + "\r\n";
        }
        case Encoding::kText: return FromValue<QString>(value).toStdString();
    }
    return {};
}

PropertyValue DecodeValue(const std::string& text, Encoding encoding)
{
    switch (encoding) {
        case Encoding::kInt: return ParseInt(text);
        case Encoding::kColor:
        case Encoding::kTextColor: return ParseHex(text);
        case Encoding::kByteUpper:
        case Encoding::kByteLower: return int32_t(ParseHex(text) & 0xFF);
        case Encoding::kPoint: {
            Point p;
            if (std::sscanf(text.c_str(), "%d,%d", &p.x, &p.y) != 2) p = {};
            return p;
        }
        case Encoding::kRect: {
            Rect r;
            if (std::sscanf(text.c_str(), "%d,%d,%d,%d", &r.left, &r.top, &r.right, &r.bottom) != 4) r = {};
            return r;
        }
        case Encoding::kReal: {
            const auto bytes = OvGraphFileLib::DecodeBase64(text);
            double d = 0.0;
            if (bytes && bytes->size() == 8) std::memcpy(&d, bytes->data(), 8);
            return d;
        }
        case Encoding::kText: return QString::fromStdString(text);
    }
    return int32_t(0);
}

}  // namespace ovgGraph
