#include "App/AppTimeFormatter.h"

#include <QDateTime>

#include "Common/Library/FloorDiv.h"
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

// Appends the decimal digits of a value, zero-padded to the width (a minus sign first).
void AppendPadded(QString& out, int64_t value, int width)
{
    // Written backwards into a buffer, then appended at once.
    char16_t buffer[48];
    int at = 48;
    uint64_t magnitude = value < 0 ? 0 - uint64_t(value) : uint64_t(value);
    do {
        buffer[--at] = char16_t(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    while (48 - at < width && at > 1) buffer[--at] = u'0';
    if (value < 0) buffer[--at] = u'-';
    out.append(reinterpret_cast<const QChar*>(buffer + at), 48 - at);
}

QString Padded(int64_t value, int width)
{
    QString text;
    AppendPadded(text, value, width);
    return text;
}

QString Milliseconds(int64_t msWithinSecond)
{
    return u'.' + Padded(msWithinSecond, 3);
}

// Appends one conversion's text; called for every date and time text, so it allocates nothing.
using Render = void (*)(QString& out, const ovgGraph::CivilTime&, bool englishMonths);

struct Conversion {
    char16_t letter;
    Render render;
};

// One row per conversion letter after '%'.
const Conversion kConversions[] = {
    {u'Y', [](QString& out, const ovgGraph::CivilTime& t, bool) { AppendPadded(out, t.year, 4); }},
    {u'm', [](QString& out, const ovgGraph::CivilTime& t, bool) { AppendPadded(out, t.month + 1, 2); }},
    {u'b',
     [](QString& out, const ovgGraph::CivilTime& t, bool english) {
         out += QStringView((english ? kEnglishMonths : kJapaneseMonths)[t.month]);
     }},
    {u'd', [](QString& out, const ovgGraph::CivilTime& t, bool) { AppendPadded(out, t.day, 2); }},
    {u'H', [](QString& out, const ovgGraph::CivilTime& t, bool) { AppendPadded(out, t.hour, 2); }},
    {u'M', [](QString& out, const ovgGraph::CivilTime& t, bool) { AppendPadded(out, t.minute, 2); }},
    {u'S', [](QString& out, const ovgGraph::CivilTime& t, bool) { AppendPadded(out, t.second, 2); }},
    {u'%', [](QString& out, const ovgGraph::CivilTime&, bool) { out += u'%'; }},
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
            return SerialDayText(SystemLocalTime(timeMs));
        case kOwnPattern:
            return DateTimeText(m_pattern, timeMs, milliseconds);
        case kElapsed:
            return ElapsedText(timeMs, milliseconds);
        default:
            return DateTimeText(QStringView(kKindPatterns[m_kind]), timeMs, milliseconds);
    }
}

QString AppTimeFormatter::DateTimeText(QStringView pattern, int64_t timeMs, bool milliseconds) const
{
    const int64_t seconds = orvel::FloorDiv(timeMs, kMsPerSecond);
    ovgGraph::CivilTime fields;
    if (!ovgGraph::CivilTime::FromSeconds(seconds, fields)) return {};

    QString text;
    text.reserve(pattern.size() + 16);
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        const Conversion* conversion = nullptr;
        if (c == u'%' && i + 1 < pattern.size()) conversion = FindConversion(pattern[i + 1].unicode());
        if (conversion == nullptr) {
            text += c;
            continue;
        }
        conversion->render(text, fields, m_englishMonths);
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
    const int64_t days = orvel::FloorDiv(timeMs, kMsPerDay);
    const int64_t msOfDay = timeMs - days * kMsPerDay;
    const int64_t whole = days + kSerialDayOf1970;
    const int64_t fraction = (msOfDay * 3125 * 2 + 27) / 54;
    if (whole >= 0 || fraction == 0) {
        QString text;
        text.reserve(24);
        AppendPadded(text, whole, 1);
        text += u'.';
        AppendPadded(text, fraction, 10);
        return text;
    }
    // A negative number with a fraction: -1 + 0.75 day is written -0.25.
    return QStringLiteral("-") + QString::number(-whole - 1) + u'.' +
           Padded(kSerialUnitsPerDay - fraction, 10);
}

int64_t AppTimeFormatter::SystemLocalTime(int64_t utcMs)
{
    const QDateTime at = QDateTime::fromMSecsSinceEpoch(utcMs, Qt::LocalTime);
    int64_t local = 0;
    if (!at.isValid() || __builtin_add_overflow(utcMs, int64_t(at.offsetFromUtc()) * 1000, &local)) return utcMs;
    return local;
}

int64_t AppTimeFormatter::SystemClock::LocalTime(int64_t utcMs)
{
    constexpr int64_t kHour = 3'600'000;
    const int64_t hour = orvel::FloorDiv(utcMs, kHour);
    if (hour != m_hour) {
        m_hour = hour;
        const int64_t start = hour * kHour;
        m_offsetMs = SystemLocalTime(start) - start;
        m_uniform = SystemLocalTime(start + kHour - 1) - (start + kHour - 1) == m_offsetMs;
    }
    int64_t local = 0;
    if (!m_uniform || __builtin_add_overflow(utcMs, m_offsetMs, &local)) return SystemLocalTime(utcMs);
    return local;
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
