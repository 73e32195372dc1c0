#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Text conversions of the file library. Logger files store 8-bit texts in the Japanese Windows
// code page (CP932); the library keeps texts as UTF-16.
namespace OvGraphFileLib::TextCodec {

// Decodes CP932 up to the first zero byte (or the end). A byte sequence that does not decode
// becomes U+FFFD and decoding goes on: a bad name never fails a load.
std::u16string FromCp932(std::string_view bytes);
// A fixed-width text field of a binary header: CP932 up to the first zero byte or the width.
std::u16string FromCp932(const uint8_t* field, size_t width);

// Invalid UTF-8 sequences become U+FFFD.
std::u16string FromUtf8(std::string_view utf8);
// Unpaired surrogates become U+FFFD.
std::string ToUtf8(std::u16string_view utf16);

}  // namespace OvGraphFileLib::TextCodec
