#include "filelib/JsonDocument.h"

#include <stdexcept>

namespace OvGraphFileLib {

std::string ParseJsonDocument(std::string_view text, picojson::value& value)
{
    std::string error;
    try {
        const char* end = picojson::parse(value, text.data(), text.data() + text.size(), &error);
        if (error.empty() && text.find_first_not_of(" \t\r\n", size_t(end - text.data())) != std::string_view::npos)
            error = "text after the JSON value";
    } catch (const std::overflow_error&) {
        error = "number out of range";
    }
    return error;
}

}  // namespace OvGraphFileLib
