#pragma once

#include <picojson.h>

#include <string>
#include <string_view>

namespace OvGraphFileLib {

// Parses text that must be one JSON value with nothing but blanks, tabs and line breaks after it.
// Returns the parser's error text, empty on success. Never throws: picojson's own exception for
// a number beyond the double range ("1e999") becomes the error "number out of range".
std::string ParseJsonDocument(std::string_view text, picojson::value& value);

}  // namespace OvGraphFileLib
