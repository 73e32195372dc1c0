#include "graph/LabelFormatDateTime.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "Common/Library/FloorDiv.h"
#include "graph/CivilTime.h"

namespace ovgGraph {

namespace {

// The names the two label languages use; the Japanese ones are those of the Japanese locale.
struct CalendarNames {
    const char* months[12];
    const char* fullMonths[12];
    const char* weekdays[7];
    const char* fullWeekdays[7];
    const char* am;
    const char* pm;
};

constexpr CalendarNames kEnglish = {
    {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"},
    {"January", "February", "March", "April", "May", "June", "July", "August", "September", "October",
     "November", "December"},
    {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"},
    {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"},
    "AM",
    "PM",
};

constexpr CalendarNames kJapanese = {
    {"1月", "2月", "3月", "4月", "5月", "6月", "7月", "8月", "9月", "10月", "11月", "12月"},
    {"1月", "2月", "3月", "4月", "5月", "6月", "7月", "8月", "9月", "10月", "11月", "12月"},
    {"日", "月", "火", "水", "木", "金", "土"},
    {"日曜日", "月曜日", "火曜日", "水曜日", "木曜日", "金曜日", "土曜日"},
    "午前",
    "午後",
};

QString Padded(int64_t value, int width, QChar fill = u'0')
{
    return QString::number(value).rightJustified(width, fill);
}

QString Name(const char* name)
{
    return QString::fromUtf8(name);
}

int64_t Hour12(const CivilTime& time)
{
    return time.hour % 12 == 0 ? 12 : time.hour % 12;
}

using Render = QString (*)(const CivilTime&, const CalendarNames&);

struct Conversion {
    char16_t letter;
    Render render;
};

// One row per strftime conversion (the letter after '%').
const Conversion kConversions[] = {
    {u'Y', [](const CivilTime& t, const CalendarNames&) { return QString::number(t.year); }},
    {u'y', [](const CivilTime& t, const CalendarNames&) { return Padded(t.year % 100, 2); }},
    {u'C', [](const CivilTime& t, const CalendarNames&) { return Padded(t.year / 100, 2); }},
    {u'm', [](const CivilTime& t, const CalendarNames&) { return Padded(t.month + 1, 2); }},
    {u'd', [](const CivilTime& t, const CalendarNames&) { return Padded(t.day, 2); }},
    {u'e', [](const CivilTime& t, const CalendarNames&) { return Padded(t.day, 2, u' '); }},
    {u'j', [](const CivilTime& t, const CalendarNames&) { return Padded(t.yearDay + 1, 3); }},
    {u'b', [](const CivilTime& t, const CalendarNames& n) { return Name(n.months[t.month]); }},
    {u'h', [](const CivilTime& t, const CalendarNames& n) { return Name(n.months[t.month]); }},
    {u'B', [](const CivilTime& t, const CalendarNames& n) { return Name(n.fullMonths[t.month]); }},
    {u'a', [](const CivilTime& t, const CalendarNames& n) { return Name(n.weekdays[t.weekday]); }},
    {u'A', [](const CivilTime& t, const CalendarNames& n) { return Name(n.fullWeekdays[t.weekday]); }},
    {u'u', [](const CivilTime& t, const CalendarNames&) { return QString::number((t.weekday + 6) % 7 + 1); }},
    {u'w', [](const CivilTime& t, const CalendarNames&) { return QString::number(t.weekday); }},
    {u'H', [](const CivilTime& t, const CalendarNames&) { return Padded(t.hour, 2); }},
    {u'I', [](const CivilTime& t, const CalendarNames&) { return Padded(Hour12(t), 2); }},
    {u'M', [](const CivilTime& t, const CalendarNames&) { return Padded(t.minute, 2); }},
    {u'S', [](const CivilTime& t, const CalendarNames&) { return Padded(t.second, 2); }},
    {u'p', [](const CivilTime& t, const CalendarNames& n) { return Name(t.hour < 12 ? n.am : n.pm); }},
    {u'n', [](const CivilTime&, const CalendarNames&) { return QStringLiteral("\n"); }},
    {u't', [](const CivilTime&, const CalendarNames&) { return QStringLiteral("\t"); }},
    {u'%', [](const CivilTime&, const CalendarNames&) { return QStringLiteral("%"); }},
};

// Conversions that stand for a format of other conversions.
struct Composite {
    char16_t letter;
    const char* format;
};

const Composite kComposites[] = {
    {u'F', "%Y-%m-%d"},
    {u'T', "%H:%M:%S"},
    {u'R', "%H:%M"},
    {u'D', "%m/%d/%y"},
};

QString Expand(const QString& format, const CivilTime& time, const CalendarNames& names)
{
    QString text;
    for (qsizetype i = 0; i < format.size(); ++i) {
        if (format[i] != u'%' || i + 1 == format.size()) {
            text += format[i];
            continue;
        }
        const char16_t letter = format[++i].unicode();
        const auto conversion =
            std::find_if(std::begin(kConversions), std::end(kConversions),
                         [letter](const Conversion& row) { return row.letter == letter; });
        const auto composite = std::find_if(std::begin(kComposites), std::end(kComposites),
                                            [letter](const Composite& row) { return row.letter == letter; });
        if (conversion != std::end(kConversions))
            text += conversion->render(time, names);
        else if (composite != std::end(kComposites))
            text += Expand(QString::fromLatin1(composite->format), time, names);
        else
            text += u'%' + QChar(letter);
    }
    return text;
}

// Ticks computed as whole second + k × step can land this far (in ms) below the intended
// millisecond; 1 µs is several times the rounding of a double around today's times.
constexpr double kMillisecondSlack = 0.001;

}  // namespace

std::shared_ptr<LabelFormat> LabelFormatDateTime::Clone() const
{
    auto copy = std::make_shared<LabelFormatDateTime>();
    copy->m_dateFormat = m_dateFormat;
    copy->m_timeFormat = m_timeFormat;
    copy->m_english = m_english;
    copy->m_milliseconds = m_milliseconds;
    return copy;
}

void LabelFormatDateTime::SetDateFormat(const QString& format)
{
    if (m_dateFormat == format) return;
    m_dateFormat = format;
    NotifyChanged();
}

void LabelFormatDateTime::SetTimeFormat(const QString& format)
{
    if (m_timeFormat == format) return;
    m_timeFormat = format;
    NotifyChanged();
}

void LabelFormatDateTime::SetEnglish(bool english)
{
    if (m_english == english) return;
    m_english = english;
    NotifyChanged();
}

void LabelFormatDateTime::SetMilliseconds(bool milliseconds)
{
    if (m_milliseconds == milliseconds) return;
    m_milliseconds = milliseconds;
    NotifyChanged();
}

QString LabelFormatDateTime::Format(double value) const
{
    const double milliseconds = std::floor(value * 1000 + kMillisecondSlack);
    // Also false for NaN and infinities.
    if (!(milliseconds >= double(CivilTime::kFirstSecond) * 1000 &&
          milliseconds < double(CivilTime::kEndSecond) * 1000))
        return {};
    const auto total = int64_t(milliseconds);
    const int64_t millisecond = orvel::FloorMod(total, 1000);
    CivilTime time;
    if (!CivilTime::FromSeconds(orvel::FloorDiv(total, 1000), time)) return {};
    const CalendarNames& names = m_english ? kEnglish : kJapanese;
    QString text = m_dateFormat.isEmpty() ? QString() : Expand(m_dateFormat, time, names);
    if (!m_timeFormat.isEmpty()) {
        if (!text.isEmpty()) text += u'\n';
        text += Expand(m_timeFormat, time, names);
    }
    if (m_milliseconds) text += u'.' + Padded(millisecond, 3);
    return text;
}

}  // namespace ovgGraph
