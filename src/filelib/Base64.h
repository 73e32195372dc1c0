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

// The same decoding straight into a buffer of `capacity` bytes: the number of bytes written, or
// nullopt when the text is invalid or decodes to more than `capacity` bytes (the buffer's content
// is then unspecified).
std::optional<size_t> DecodeBase64Into(std::string_view text, uint8_t* out, size_t capacity);

// Encodes bytes as standard-alphabet Base64 with '=' padding, on one line.
std::string EncodeBase64(const uint8_t* bytes, size_t count);

// The largest number of bytes a Base64 text of this length can decode to.
inline size_t Base64DecodedBound(size_t textLength) { return textLength / 4 * 3 + 3; }

}  // namespace OvGraphFileLib
