#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace OvGraphFileLib {

// Decodes standard-alphabet Base64 ('+', '/', '=' padding). White space is skipped; any other
// character outside the alphabet, or a misplaced '=', makes the text invalid (nullopt).
std::optional<std::vector<uint8_t>> DecodeBase64(std::string_view text);

// Encodes bytes as standard-alphabet Base64 with '=' padding, on one line.
std::string EncodeBase64(const uint8_t* bytes, size_t count);

// The largest number of bytes a Base64 text of this length can decode to.
inline size_t Base64DecodedBound(size_t textLength) { return textLength / 4 * 3 + 3; }

}  // namespace OvGraphFileLib
