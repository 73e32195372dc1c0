#include "graph/LabelFormatValue.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>

namespace ovgGraph {

std::shared_ptr<LabelFormat> LabelFormatValue::Clone() const
{
    auto copy = std::make_shared<LabelFormatValue>();
    copy->m_decimalPlaces = m_decimalPlaces;
    return copy;
}

void LabelFormatValue::SetDecimalPlaces(int32_t places)
{
    if (m_decimalPlaces == places) return;
    m_decimalPlaces = places;
    NotifyChanged();
}

QString LabelFormatValue::Format(double value) const
{
    const int places = std::clamp(m_decimalPlaces, 0, kMaxDecimalPlaces);
    // std::round rounds half away from zero; printing alone would round a tie to even.
    if (places == 0) value = std::round(value);
    // to_chars ignores the C locale, which Qt sets from the environment on Unix ("2,5" in German).
    char text[400];  // 309 integer digits of the largest double, sign, point and 20 places
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, places);
    if (result.ec != std::errc()) return {};
    std::string_view printed(text, std::size_t(result.ptr - text));
    // A tick a rounding error below zero would otherwise read "-0.0".
    if (printed.size() > 1 && printed[0] == '-' && printed.find_first_not_of("-0.") == std::string_view::npos)
        printed.remove_prefix(1);
    return QString::fromLatin1(printed.data(), qsizetype(printed.size()));
}

}  // namespace ovgGraph
