#include "filelib/Base64.h"

#include <array>

namespace OvGraphFileLib {
namespace {

constexpr std::array<int8_t, 256> MakeTable()
{
    std::array<int8_t, 256> table{};
    table.fill(-1);
    const char* alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    for (int i = 0; i < 64; ++i) table[static_cast<unsigned char>(alphabet[i])] = int8_t(i);
    return table;
}
constexpr std::array<int8_t, 256> kDecode = MakeTable();

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

std::optional<std::vector<uint8_t>> DecodeBase64(std::string_view text)
{
    std::vector<uint8_t> out;
    out.reserve(Base64DecodedBound(text.size()));
    uint32_t bits = 0;
    int filled = 0;    // sextets in `bits`
    int padding = 0;
    for (const char c : text) {
        if (IsSpace(c)) continue;
        if (c == '=') {
            ++padding;
            continue;
        }
        const int8_t value = kDecode[static_cast<unsigned char>(c)];
        if (value < 0 || padding > 0) return std::nullopt;
        bits = (bits << 6) | uint32_t(value);
        if (++filled == 4) {
            out.push_back(uint8_t(bits >> 16));
            out.push_back(uint8_t(bits >> 8));
            out.push_back(uint8_t(bits));
            bits = 0;
            filled = 0;
        }
    }
    // What remains: 2 sextets give one byte, 3 give two; 1 is never valid.
    if (filled == 1 || padding > 2 || (padding > 0 && filled + padding != 4)) return std::nullopt;
    if (filled == 2) out.push_back(uint8_t(bits >> 4));
    if (filled == 3) {
        out.push_back(uint8_t(bits >> 10));
        out.push_back(uint8_t(bits >> 2));
    }
    return out;
}

std::string EncodeBase64(const uint8_t* bytes, size_t count)
{
    static constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string text;
    text.reserve((count + 2) / 3 * 4);
    for (size_t i = 0; i < count; i += 3) {
        const uint32_t b0 = bytes[i], b1 = i + 1 < count ? bytes[i + 1] : 0, b2 = i + 2 < count ? bytes[i + 2] : 0;
        const uint32_t group = b0 << 16 | b1 << 8 | b2;
        text += kAlphabet[group >> 18 & 63];
        text += kAlphabet[group >> 12 & 63];
        text += i + 1 < count ? kAlphabet[group >> 6 & 63] : '=';
        text += i + 2 < count ? kAlphabet[group & 63] : '=';
    }
    return text;
}

}  // namespace OvGraphFileLib
