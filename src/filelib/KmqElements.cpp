#include "filelib/KmqElements.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "Common/Library/OvChType.h"
#include "filelib/ChConstants.h"

namespace OvGraphFileLib::kmq {

int32_t DecimalInt32(const std::string& text)
{
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    int64_t value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > int64_t(std::numeric_limits<int32_t>::max()) + 1) break;
    }
    value = negative ? -value : value;
    return int32_t(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

uint32_t UnsignedWithBase(const std::string& text)
{
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    int base = 10;
    if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    uint64_t value = 0;
    for (; i < text.size(); ++i) {
        const int c = std::tolower(static_cast<unsigned char>(text[i]));
        const int digit = std::isdigit(c) ? c - '0' : (base == 16 && c >= 'a' && c <= 'f') ? c - 'a' + 10 : -1;
        if (digit < 0) break;
        value = std::min<uint64_t>(value * uint64_t(base) + uint64_t(digit), std::numeric_limits<uint32_t>::max());
    }
    return uint32_t(value);
}

void Sr_ch::Load(const pugi::xml_node& ch)
{
    num.Load(ch);
    serial.Load(ch);
    model.Load(ch);
    name.Load(ch);
    time_diff.Load(ch);
    std_bias.Load(ch);
    dst_bias.Load(ch);
    time_zone.Load(ch);
    type.Load(ch);
    unix_time.Load(ch);
    data_id.Load(ch);
    interval.Load(ch);
    count.Load(ch);
    upper_limit.Load(ch);
    lower_limit.Load(ch);
    scale_expr.Load(ch);
    record_prop.Load(ch);
    data.Load(ch);
}

double Sr_ch::Limit(bool upper) const
{
    const bool given = upper ? upper_limit.present && !upper_limit.empty : lower_limit.present && !lower_limit.empty;
    if (!given) return upper ? NO_UPPER_LIMIT : NO_LOWER_LIMIT;
    return LimitFromText(upper ? upper_limit.value : lower_limit.value, upper);
}

double Sr_ch::LimitFromText(const std::string& text, bool upper) const
{
    const double none = upper ? NO_UPPER_LIMIT : NO_LOWER_LIMIT;
    const orvel::detail::OvChTypeBase& chType = orvel::detail::OvChTypeOf(uint16_t(type.value));
    const uint32_t code = uint32_t(DecimalInt32(text));
    if (chType.IsInvalid32(code)) return none;
    return chType.RawToValue32(code);
}

double Sr_ch_120::LimitFromText(const std::string& text, bool upper) const
{
    const double none = upper ? NO_UPPER_LIMIT : NO_LOWER_LIMIT;
    // from_chars: a decimal point whatever the process locale says.
    const char* begin = text.c_str();
    while (*begin == ' ' || *begin == '+') ++begin;
    double value = 0;
    const auto [end, error] = std::from_chars(begin, text.c_str() + text.size(), value);
    if (error != std::errc() || end == begin || !std::isfinite(value)) return none;
    return value;
}

void Sr_file::Load(const pugi::xml_node& root)
{
    auto attribute = [&root](const char* key) -> std::optional<std::string> {
        const pugi::xml_attribute found = root.attribute(key);
        if (!found) return std::nullopt;
        return std::string(found.value());
    };
    format = attribute("format");
    version = attribute("version");
    if (!version) return;
    if (!IsEarlyVersion()) name = attribute("name");
    if (*version != "1.00") sample = attribute("sample");

    base = IsEarlyVersion() ? std::make_unique<Sr_base>() : std::make_unique<Sr_base_120>();
    base->Load(root.child("base"));
    for (const pugi::xml_node& node : root.children("ch")) {
        std::unique_ptr<Sr_ch> ch = IsEarlyVersion() ? std::make_unique<Sr_ch>() : std::make_unique<Sr_ch_120>();
        ch->Load(node);
        channels.push_back(std::move(ch));
    }
}

}  // namespace OvGraphFileLib::kmq
