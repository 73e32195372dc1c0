#include "JsonWriter.h"

#include <cmath>
#include <cstdio>

namespace orvel::cli {

void JsonWriter::Separate()
{
    if (m_needComma) m_text += ',';
    m_needComma = false;
}

void JsonWriter::BeginObject()
{
    Separate();
    m_text += '{';
}

void JsonWriter::EndObject()
{
    m_text += '}';
    m_needComma = true;
}

void JsonWriter::BeginArray()
{
    Separate();
    m_text += '[';
}

void JsonWriter::EndArray()
{
    m_text += ']';
    m_needComma = true;
}

void JsonWriter::Key(std::string_view key)
{
    String(key);
    m_text += ':';
    m_needComma = false;
}

void JsonWriter::String(std::string_view utf8)
{
    Separate();
    m_text += '"';
    for (const char c : utf8) {
        switch (c) {
            case '"': m_text += "\\\""; break;
            case '\\': m_text += "\\\\"; break;
            case '\n': m_text += "\\n"; break;
            case '\r': m_text += "\\r"; break;
            case '\t': m_text += "\\t"; break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned char>(c));
                    m_text += escaped;
                } else {
                    m_text += c;
                }
        }
    }
    m_text += '"';
    m_needComma = true;
}

void JsonWriter::Int(int64_t value)
{
    Separate();
    m_text += std::to_string(value);
    m_needComma = true;
}

void JsonWriter::Bool(bool value)
{
    Separate();
    m_text += value ? "true" : "false";
    m_needComma = true;
}

void JsonWriter::Double(double value)
{
    Separate();
    if (std::isfinite(value)) {
        char buffer[40];
        std::snprintf(buffer, sizeof buffer, "%.17g", value);
        m_text += buffer;
    } else {
        m_text += "null";
    }
    m_needComma = true;
}

}  // namespace orvel::cli
