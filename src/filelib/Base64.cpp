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
    std::vector<uint8_t> out(Base64DecodedBound(text.size()));
    const std::optional<size_t> size = DecodeBase64Into(text, out.data(), out.size());
    if (!size) return std::nullopt;
    out.resize(*size);
    return out;
}

std::optional<size_t> DecodeBase64Into(std::string_view text, uint8_t* out, size_t capacity)
{
    const auto* in = reinterpret_cast<const unsigned char*>(text.data());
    const size_t length = text.size();
    size_t written = 0;
    uint32_t bits = 0;
    int filled = 0;  // sextets in `bits`
    int padding = 0;
    size_t i = 0;
    while (i < length) {
        // Whole groups of four alphabet characters, the bulk of any text, decode without the
        // per-character state machine below.
        if (filled == 0 && padding == 0) {
            while (i + 4 <= length && written + 3 <= capacity) {
                const int32_t a = kDecode[in[i]], b = kDecode[in[i + 1]], c = kDecode[in[i + 2]], d = kDecode[in[i + 3]];
                if ((a | b | c | d) < 0) break;
                const uint32_t group = uint32_t(a) << 18 | uint32_t(b) << 12 | uint32_t(c) << 6 | uint32_t(d);
                out[written] = uint8_t(group >> 16);
                out[written + 1] = uint8_t(group >> 8);
                out[written + 2] = uint8_t(group);
                written += 3;
                i += 4;
            }
            if (i >= length) break;
        }
        const char ch = char(in[i++]);
        if (IsSpace(ch)) continue;
        if (ch == '=') {
            ++padding;
            continue;
        }
        const int8_t value = kDecode[static_cast<unsigned char>(ch)];
        if (value < 0 || padding > 0) return std::nullopt;
        bits = (bits << 6) | uint32_t(value);
        if (++filled == 4) {
            if (capacity - written < 3) return std::nullopt;
            out[written] = uint8_t(bits >> 16);
            out[written + 1] = uint8_t(bits >> 8);
            out[written + 2] = uint8_t(bits);
            written += 3;
            bits = 0;
            filled = 0;
        }
    }
    // What remains: 2 sextets give one byte, 3 give two; 1 is never valid.
    if (filled == 1 || padding > 2 || (padding > 0 && filled + padding != 4)) return std::nullopt;
    const size_t tail = filled == 2 ? 1 : filled == 3 ? 2 : 0;
    if (capacity - written < tail) return std::nullopt;
    if (filled == 2) out[written] = uint8_t(bits >> 4);
    if (filled == 3) {
        out[written] = uint8_t(bits >> 10);
        out[written + 1] = uint8_t(bits >> 2);
    }
    return written + tail;
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
