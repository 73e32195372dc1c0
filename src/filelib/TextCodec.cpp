#include "filelib/TextCodec.h"

#include <iconv.h>

#include <cerrno>
#include <optional>
#include <vector>

namespace OvGraphFileLib::TextCodec {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

void AppendCodePoint(std::u16string& out, char32_t cp)
{
    if (cp < 0x10000) {
        out += char16_t(cp);
    } else {
        cp -= 0x10000;
        out += char16_t(0xD800 + (cp >> 10));
        out += char16_t(0xDC00 + (cp & 0x3FF));
    }
}

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

// One converter per thread, opened on first use: opening one loads the code page's tables, which
// cost more than converting a channel name. Null when the system has no CP932 converter.
class Cp932Converter {
public:
    Cp932Converter() : m_cd(iconv_open("UTF-16LE", "CP932")) {}
    ~Cp932Converter()
    {
        if (m_cd != iconv_t(-1)) iconv_close(m_cd);
    }
    Cp932Converter(const Cp932Converter&) = delete;
    Cp932Converter& operator=(const Cp932Converter&) = delete;

    // The descriptor in its initial shift state, or nullopt.
    std::optional<iconv_t> Reset()
    {
        if (m_cd == iconv_t(-1)) return std::nullopt;
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        return m_cd;
    }

private:
    iconv_t m_cd;
};

}  // namespace

std::u16string FromCp932(const uint8_t* field, size_t width)
{
    return FromCp932(std::string_view(reinterpret_cast<const char*>(field), width));
}

std::u16string FromCp932(std::string_view bytes)
{
    const size_t zero = bytes.find('\0');
    if (zero != std::string_view::npos) bytes = bytes.substr(0, zero);
    std::u16string result;
    bool ascii = true;
    for (char c : bytes) ascii = ascii && (static_cast<unsigned char>(c) < 0x80);
    if (ascii) return std::u16string(bytes.begin(), bytes.end());

    thread_local Cp932Converter converter;
    const std::optional<iconv_t> open = converter.Reset();
    if (!open) {
        // No converter on this system: keep ASCII, mark the rest.
        for (char c : bytes) result += static_cast<unsigned char>(c) < 0x80 ? char16_t(c) : kReplacement;
        return result;
    }
    const iconv_t cd = *open;
    std::vector<char> in(bytes.begin(), bytes.end());
    char* inPtr = in.data();
    size_t inLeft = in.size();
    std::vector<char> out(in.size() * 4 + 4);
    while (inLeft > 0) {
        char* outPtr = out.data();
        size_t outLeft = out.size();
        const size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        const size_t produced = out.size() - outLeft;
        for (size_t i = 0; i + 1 < produced; i += 2)
            result += char16_t(static_cast<unsigned char>(out[i]) | (static_cast<unsigned char>(out[i + 1]) << 8));
        if (rc == size_t(-1) && (errno == EILSEQ || errno == EINVAL)) {
            result += kReplacement;  // skip the byte that does not decode
            ++inPtr;
            --inLeft;
        } else if (rc == size_t(-1) && errno != E2BIG) {
            break;
        }
    }
    return result;
}

std::u16string FromUtf8(std::string_view utf8)
{
    std::u16string out;
    out.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size()) {
        const unsigned char lead = static_cast<unsigned char>(utf8[i]);
        const int extra = lead < 0x80 ? 0 : (lead >> 5) == 0x6 ? 1 : (lead >> 4) == 0xE ? 2 : (lead >> 3) == 0x1E ? 3 : -1;
        if (extra < 0 || i + size_t(extra) >= utf8.size()) {
            out += kReplacement;
            ++i;
            continue;
        }
        char32_t cp = extra == 0 ? lead : (lead & (0x3F >> extra));
        bool ok = true;
        for (int k = 1; k <= extra; ++k) {
            const unsigned char c = static_cast<unsigned char>(utf8[i + size_t(k)]);
            if ((c & 0xC0) != 0x80) {
                ok = false;
                break;
            }
            cp = (cp << 6) | (c & 0x3F);
        }
        const char32_t minimum[] = {0, 0x80, 0x800, 0x10000};
        if (!ok || cp < minimum[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            out += kReplacement;
            ++i;
            continue;
        }
        AppendCodePoint(out, cp);
        i += size_t(extra) + 1;
    }
    return out;
}

std::string ToUtf8(std::u16string_view utf16)
{
    // Names and keys are mostly ASCII: copied in one pass, without growing the text byte by byte.
    size_t ascii = 0;
    while (ascii < utf16.size() && utf16[ascii] < 0x80) ++ascii;
    std::string out(ascii, '\0');
    for (size_t i = 0; i < ascii; ++i) out[i] = char(utf16[i]);
    if (ascii == utf16.size()) return out;
    out.reserve(ascii + (utf16.size() - ascii) * 3);
    for (size_t i = ascii; i < utf16.size(); ++i) {
        char32_t cp = utf16[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
            utf16[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = kReplacement;
        }
        AppendUtf8(out, cp);
    }
    return out;
}

}  // namespace OvGraphFileLib::TextCodec
