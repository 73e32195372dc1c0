#include "App/AppTimeFormatter.h"

#include "graph/CivilTime.h"

namespace ovgApp {

namespace {

constexpr int64_t kMsPerSecond = 1000;
constexpr int64_t kMsPerDay = 86400000;
// Serial day number of 1970-01-01: days from 1899-12-30 to the start of the clock.
constexpr int64_t kSerialDayOf1970 = 25569;
// The serial day number is written with ten decimals.
constexpr int64_t kSerialUnitsPerDay = 10000000000;

// The date and time patterns of kinds 0 to 5, in kind order.
constexpr const char16_t* kKindPatterns[] = {
    u"%Y-%m-%d %H:%M:%S", u"%m-%d-%Y %H:%M:%S", u"%d-%m-%Y %H:%M:%S",
    u"%Y-%b-%d %H:%M:%S", u"%b-%d-%Y %H:%M:%S", u"%d-%b-%Y %H:%M:%S",
};

constexpr const char16_t* kJapaneseMonths[12] = {
    u"1月", u"2月", u"3月", u"4月", u"5月", u"6月", u"7月", u"8月", u"9月", u"10月", u"11月", u"12月",
};
constexpr const char16_t* kEnglishMonths[12] = {
    u"Jan", u"Feb", u"Mar", u"Apr", u"May", u"Jun", u"Jul", u"Aug", u"Sep", u"Oct", u"Nov", u"Dec",
};

int64_t FloorDiv(int64_t a, int64_t b)
{
    const int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

QString Padded(int64_t value, int width)
{
    return QString::number(value).rightJustified(width, u'0');
}

QString Milliseconds(int64_t msWithinSecond)
{
    return u'.' + Padded(msWithinSecond, 3);
}

using Render = QString (*)(const ovgGraph::CivilTime&, bool englishMonths);

struct Conversion {
    char16_t letter;
    Render render;
};

// One row per conversion letter after '%'.
const Conversion kConversions[] = {
    {u'Y', [](const ovgGraph::CivilTime& t, bool) { return Padded(t.year, 4); }},
    {u'm', [](const ovgGraph::CivilTime& t, bool) { return Padded(t.month + 1, 2); }},
    {u'b',
     [](const ovgGraph::CivilTime& t, bool english) {
         return QString::fromUtf16((english ? kEnglishMonths : kJapaneseMonths)[t.month]);
     }},
    {u'd', [](const ovgGraph::CivilTime& t, bool) { return Padded(t.day, 2); }},
    {u'H', [](const ovgGraph::CivilTime& t, bool) { return Padded(t.hour, 2); }},
    {u'M', [](const ovgGraph::CivilTime& t, bool) { return Padded(t.minute, 2); }},
    {u'S', [](const ovgGraph::CivilTime& t, bool) { return Padded(t.second, 2); }},
    {u'%', [](const ovgGraph::CivilTime&, bool) { return QStringLiteral("%"); }},
};

const Conversion* FindConversion(char16_t letter)
{
    for (const Conversion& conversion : kConversions)
        if (conversion.letter == letter) return &conversion;
    return nullptr;
}

}  // namespace

AppTimeFormatter::AppTimeFormatter(int32_t kind, bool milliseconds) : m_milliseconds(milliseconds)
{
    SetKind(kind);
}

bool AppTimeFormatter::SetKind(int32_t kind)
{
    if (kind < kYearMonthDay || kind > kElapsed) return false;
    m_kind = kind;
    return true;
}

bool AppTimeFormatter::HasMonthNames() const
{
    return m_kind >= kYearMonthNameDay && m_kind <= kDayMonthNameYear;
}

QString AppTimeFormatter::Format(int64_t timeMs, bool milliseconds) const
{
    switch (m_kind) {
        case kSerialDay:
            return SerialDayText(timeMs);
        case kOwnPattern:
            return DateTimeText(m_pattern, timeMs, milliseconds);
        case kElapsed:
            return ElapsedText(timeMs, milliseconds);
        default:
            return DateTimeText(QString::fromUtf16(kKindPatterns[m_kind]), timeMs, milliseconds);
    }
}

QString AppTimeFormatter::DateTimeText(const QString& pattern, int64_t timeMs, bool milliseconds) const
{
    const int64_t seconds = FloorDiv(timeMs, kMsPerSecond);
    ovgGraph::CivilTime fields;
    if (!ovgGraph::CivilTime::FromSeconds(seconds, fields)) return {};

    QString text;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        const Conversion* conversion = nullptr;
        if (c == u'%' && i + 1 < pattern.size()) conversion = FindConversion(pattern[i + 1].unicode());
        if (conversion == nullptr) {
            text += c;
            continue;
        }
        text += conversion->render(fields, m_englishMonths);
        ++i;
    }
    if (milliseconds) text += Milliseconds(timeMs - seconds * kMsPerSecond);
    return text;
}

QString AppTimeFormatter::SerialDayText(int64_t timeMs)
{
    // Worked out in integers, so that every digit is exact at any distance from 1899: the
    // fraction in units of 1e-10 day is msOfDay * 1e10 / 86400000 = msOfDay * 3125 / 27, rounded
    // (27 is odd, so there is never a tie, and the largest msOfDay stays below a whole day).
    const int64_t days = FloorDiv(timeMs, kMsPerDay);
    const int64_t msOfDay = timeMs - days * kMsPerDay;
    const int64_t whole = days + kSerialDayOf1970;
    const int64_t fraction = (msOfDay * 3125 * 2 + 27) / 54;
    if (whole >= 0 || fraction == 0) return QString::number(whole) + u'.' + Padded(fraction, 10);
    // A negative number with a fraction: -1 + 0.75 day is written -0.25.
    return QStringLiteral("-") + QString::number(-whole - 1) + u'.' +
           Padded(kSerialUnitsPerDay - fraction, 10);
}

QString AppTimeFormatter::ElapsedText(int64_t durationMs, bool milliseconds)
{
    // The magnitude as unsigned, so that the most negative duration has one too.
    const uint64_t magnitude = durationMs < 0 ? 0 - uint64_t(durationMs) : uint64_t(durationMs);
    const uint64_t seconds = magnitude / 1000;
    QString text = durationMs < 0 ? QStringLiteral("-") : QString();
    text += QString::number(seconds / 86400) + QStringLiteral("day ") +
            Padded(int64_t(seconds / 3600 % 24), 2) + u':' + Padded(int64_t(seconds / 60 % 60), 2) + u':' +
            Padded(int64_t(seconds % 60), 2);
    if (milliseconds) text += Milliseconds(int64_t(magnitude % 1000));
    return text;
}

}  // namespace ovgApp
