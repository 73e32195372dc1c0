#include "App/PrmScaleExpr.h"

#include <QCoreApplication>

#include <QStringList>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <string_view>
#include <system_error>

#include "filelib/ChConstants.h"

namespace ovgApp {
namespace {

// An entered number. NFKC folds the full-width digits, point and minus of a Japanese input method
// into ASCII; from_chars then reads the C form whatever LC_NUMERIC says.
std::optional<double> ReadNumber(const QString& typed)
{
    QByteArray text = typed.normalized(QString::NormalizationForm_KC).trimmed().toUtf8();
    // from_chars takes no plus sign; one before a digit or point is allowed.
    if (text.size() > 1 && text[0] == '+' && text[1] != '+' && text[1] != '-') text.remove(0, 1);
    const char* const end = text.constData() + text.size();
    double value = 0.0;
    const auto parsed = std::from_chars(text.constData(), end, value, std::chars_format::general);
    if (text.isEmpty() || parsed.ec != std::errc() || parsed.ptr != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// The leading integer of a text, as the significant figures of a channel's expression text are
// read: blanks, an optional sign, then digits up to the first other character; no digits give 0.
int ReadLeadingInteger(const QString& typed)
{
    const QString text = typed.trimmed();
    qsizetype i = 0;
    const bool negative = i < text.size() && text[i] == u'-';
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) ++i;
    long long value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = std::min<long long>(value * 10 + (text[i].unicode() - u'0'), std::numeric_limits<int>::max());
    }
    return static_cast<int>(negative ? -value : value);
}

int ValidSignificantFigures(int count)
{
    const bool inRange =
        count >= PrmScaleExpr::kMinSignificantFigures && count <= PrmScaleExpr::kMaxSignificantFigures;
    return inRange ? count : PrmScaleExpr::kMaxSignificantFigures;
}

// The shortest text that reads back to the same double.
QString ShortestText(double value)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof(buffer), value);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

}  // namespace

PrmScaleExpr::PrmScaleExpr()
    : m_slope(Round(1.0, kDefaultSignificantFigures, false)),
      m_intercept(Round(0.0, kDefaultSignificantFigures, false))
{
}

std::shared_ptr<PrmScaleExpr> PrmScaleExpr::MakeNoConversion()
{
    auto expr = std::make_shared<PrmScaleExpr>();
    expr->m_inputSlope = QStringLiteral("1");
    expr->m_inputIntercept = QStringLiteral("0");
    expr->m_noConversion = true;
    return expr;
}

std::shared_ptr<PrmScaleExpr> PrmScaleExpr::FromChannelText(const QString& text)
{
    const QStringList parts = text.split(u'\n');
    if (parts.size() < 4) return nullptr;
    auto expr = std::make_shared<PrmScaleExpr>();
    expr->m_inputMode = kInputSlopeIntercept;
    expr->m_inputSlope = parts[0];
    expr->m_inputIntercept = parts[1];
    expr->SetSignificantFigures(ReadLeadingInteger(parts[2]));
    expr->m_unit = parts[3];
    if (expr->ComputeCoefficients() != kOk) return nullptr;
    expr->m_applied = true;
    return expr;
}

QString PrmScaleExpr::ToChannelText() const
{
    return ShortestText(m_slope.value) + u'\n' + ShortestText(m_intercept.value) + u'\n' +
           QString::number(m_significantFigures) + u'\n' + m_unit + u'\n';
}

int PrmScaleExpr::ComputeCoefficients()
{
    double slope = 0.0;
    double intercept = 0.0;
    if (m_inputMode == kInputTwoPoints) {
        const std::optional<double> x1 = ReadNumber(m_inputX1);
        if (!x1) return kX1NotNumber;
        const std::optional<double> y1 = ReadNumber(m_inputY1);
        if (!y1) return kY1NotNumber;
        const std::optional<double> x2 = ReadNumber(m_inputX2);
        if (!x2) return kX2NotNumber;
        const std::optional<double> y2 = ReadNumber(m_inputY2);
        if (!y2) return kY2NotNumber;
        if (*x1 == *x2) return kSameX;
        slope = (*y2 - *y1) / (*x2 - *x1);
        intercept = *y1 - *x1 * slope;
    } else {
        const std::optional<double> typedSlope = ReadNumber(m_inputSlope);
        if (!typedSlope) return kSlopeNotNumber;
        const std::optional<double> typedIntercept = ReadNumber(m_inputIntercept);
        if (!typedIntercept) return kInterceptNotNumber;
        slope = *typedSlope;
        intercept = *typedIntercept;
    }
    if (!std::isfinite(slope) || !std::isfinite(intercept)) return kNotFinite;
    Coefficient roundedSlope = Round(slope, m_significantFigures, m_scientificNotation);
    Coefficient roundedIntercept = Round(intercept, m_significantFigures, m_scientificNotation);
    if (!std::isfinite(roundedSlope.value) || !std::isfinite(roundedIntercept.value)) return kNotFinite;
    m_slope = std::move(roundedSlope);
    m_intercept = std::move(roundedIntercept);
    return kOk;
}

double PrmScaleExpr::Apply(double y) const
{
    if (OvGraphFileLib::IsNoData(y)) return y;
    return m_slope.value * y + m_intercept.value;
}

PrmScaleExpr::Coefficient PrmScaleExpr::Round(double value, int significantFigures, bool scientific)
{
    if (!std::isfinite(value)) return {value, {}};
    const int decimals = ValidSignificantFigures(significantFigures) - 1;

    // Rounding goes through the decimal text "d.ddde±XX" with n − 1 mantissa decimals.
    char scientificText[64];
    auto formatted = std::to_chars(scientificText, scientificText + sizeof(scientificText), value,
                                   std::chars_format::scientific, decimals);
    double rounded = 0.0;
    if (std::from_chars(scientificText, formatted.ptr, rounded).ec != std::errc())
        return {std::copysign(std::numeric_limits<double>::infinity(), value), {}};
    if (rounded == 0.0) rounded = 0.0;  // no "-0" from a negative value that rounds to zero

    formatted = std::to_chars(scientificText, scientificText + sizeof(scientificText), rounded,
                              std::chars_format::scientific, decimals);
    const std::string_view text(scientificText, formatted.ptr - scientificText);
    const std::string_view exponentText = text.substr(text.find('e') + 1);  // "+05", "-01", "+308"
    int exponent = 0;
    std::from_chars(exponentText.data() + 1, exponentText.data() + exponentText.size(), exponent);
    if (exponentText.front() == '-') exponent = -exponent;

    const int fixedDecimals = decimals - exponent;
    if (scientific || fixedDecimals <= 0) {
        const QString sign = rounded < 0.0 ? QString() : QStringLiteral("+");
        return {rounded, sign + QString::fromLatin1(text.data(), text.size())};
    }
    // At most 8 + 324 decimals (the smallest subnormal) and 9 integer digits.
    char fixedText[400];
    const auto fixed = std::to_chars(fixedText, fixedText + sizeof(fixedText), rounded,
                                     std::chars_format::fixed, fixedDecimals);
    return {rounded, QString::fromLatin1(fixedText, fixed.ptr - fixedText)};
}

QString PrmScaleExpr::ErrorText(int code)
{
    switch (code) {
        case kOk:
            return {};
        case kSlopeNotNumber:
            return QCoreApplication::translate("PrmScaleExpr", "傾きに数値を入力して下さい。");
        case kInterceptNotNumber:
            return QCoreApplication::translate("PrmScaleExpr", "切片に数値を入力して下さい。");
        case kX1NotNumber:
            return QCoreApplication::translate("PrmScaleExpr", "X1 に数値を入力して下さい。");
        case kY1NotNumber:
            return QCoreApplication::translate("PrmScaleExpr", "Y1 に数値を入力して下さい。");
        case kX2NotNumber:
            return QCoreApplication::translate("PrmScaleExpr", "X2 に数値を入力して下さい。");
        case kY2NotNumber:
            return QCoreApplication::translate("PrmScaleExpr", "Y2 に数値を入力して下さい。");
        case kSameX:
            return QCoreApplication::translate("PrmScaleExpr", "X1 と X2 には異なる値を入力して下さい。");
        case kNotFinite:
            return QCoreApplication::translate("PrmScaleExpr", "変換式の係数が大きすぎます。");
        default:
            return QCoreApplication::translate("PrmScaleExpr", "変換式を計算できません。(%1)").arg(code);
    }
}

void PrmScaleExpr::SetSignificantFigures(int count)
{
    m_significantFigures = ValidSignificantFigures(count);
}

}  // namespace ovgApp
