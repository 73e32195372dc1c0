#include "App/AppDateInfo.h"

#include <QTimeZone>
#include <limits>

#include "Common/Library/ProfileValue.h"
#include "filelib/ChConstants.h"

namespace ovgApp {

namespace {

const QString kSection = QStringLiteral("Settings/DateInfo");

// The settings as profile values, with their defaults. No localized default for the date format:
// the application's first kind is year-month-day.
ProfileValue<int32_t> DateTimeFormatValue()
{
    return {kSection, QStringLiteral("DateTimeFormat"), AppTimeFormatter::kYearMonthDay};
}
ProfileValue<int32_t> DaylightValue()
{
    return {kSection, QStringLiteral("Daylight"), 0};
}
ProfileValue<int32_t> DaylightBiasSecValue()
{
    return {kSection, QStringLiteral("DaylightBiasSec"), 3600};
}
ProfileValue<int32_t> EnableMsecValue()
{
    return {kSection, QStringLiteral("EnableMsec"), 0};
}

bool IsDateTimeKind(int32_t kind)
{
    return kind >= AppTimeFormatter::kYearMonthDay && kind <= AppTimeFormatter::kDayMonthNameYear;
}

}  // namespace

AppDateInfo::AppDateInfo() = default;

void AppDateInfo::Load(const QSettings& settings)
{
    const int32_t kind = DateTimeFormatValue().Read(settings);
    m_format.SetKind(IsDateTimeKind(kind) ? kind : DateTimeFormatValue().GetDefault());
    m_daylight = DaylightValue().Read(settings) != 0;
    m_daylightBiasSec = DaylightBiasSecValue().Read(settings);
    m_format.SetMilliseconds(EnableMsecValue().Read(settings) != 0);
}

void AppDateInfo::Load()
{
    const QSettings settings;
    Load(settings);
}

void AppDateInfo::Save(QSettings& settings) const
{
    DateTimeFormatValue().Write(settings, m_format.GetKind());
    DaylightValue().Write(settings, m_daylight ? 1 : 0);
    DaylightBiasSecValue().Write(settings, m_daylightBiasSec);
    EnableMsecValue().Write(settings, m_format.GetMilliseconds() ? 1 : 0);
}

void AppDateInfo::Save() const
{
    QSettings settings;
    Save(settings);
}

bool AppDateInfo::ReadSystemTimeZone()
{
    const QTimeZone zone = QTimeZone::systemTimeZone();
    m_systemHasDaylight = zone.isValid() && zone.hasDaylightTime();
    return zone.isValid();
}

bool AppDateInfo::SetDateTimeFormat(int32_t kind)
{
    return IsDateTimeKind(kind) && m_format.SetKind(kind);
}

int64_t AppDateInfo::DisplayTime(int64_t timeMs) const
{
    if (!m_daylight) return timeMs;
    constexpr int64_t kLargest = std::numeric_limits<int64_t>::max();
    return timeMs > kLargest - kDaylightShiftMs ? kLargest : timeMs + kDaylightShiftMs;
}

QString AppDateInfo::DateTimeText(int64_t timeMs, bool withMilliseconds) const
{
    return m_format.Format(DisplayTime(timeMs), m_format.GetMilliseconds() || withMilliseconds);
}

QString AppDateInfo::SerialDayText(int64_t timeMs, int64_t utcOffsetMs) const
{
    AppTimeFormatter::SystemClock clock;
    return SerialDayText(timeMs, utcOffsetMs, clock);
}

QString AppDateInfo::SerialDayText(int64_t timeMs, int64_t utcOffsetMs, AppTimeFormatter::SystemClock& clock) const
{
    int64_t instant = 0;
    if (__builtin_sub_overflow(timeMs, utcOffsetMs, &instant)) instant = timeMs;
    return AppTimeFormatter::SerialDayText(DisplayTime(clock.LocalTime(instant)));
}

QString AppDateInfo::DurationText(int64_t offset)
{
    const uint64_t magnitude = offset < 0 ? 0 - uint64_t(offset) : uint64_t(offset);
    const uint64_t ms = magnitude % 1000, seconds = magnitude / 1000;
    return QString::asprintf("%s%lluday(s) %02llu:%02llu:%02llu.%03llu", offset < 0 ? "-" : "",
                             static_cast<unsigned long long>(seconds / 86400), static_cast<unsigned long long>(seconds / 3600 % 24),
                             static_cast<unsigned long long>(seconds / 60 % 60), static_cast<unsigned long long>(seconds % 60),
                             static_cast<unsigned long long>(ms));
}

QString AppDateInfo::UtcOffsetText(int64_t timeDiffMs)
{
    if (timeDiffMs == OvGraphFileLib::NOT_GIVEN) return {};
    const int64_t minutes = timeDiffMs / 60000;
    const int64_t magnitude = minutes < 0 ? -minutes : minutes;
    // The sign belongs to the whole offset, so that -30 minutes reads "-00:30", not "+00:30".
    return QStringLiteral("UTC ") + (minutes < 0 ? u'-' : u'+') +
           QString::number(magnitude / 60).rightJustified(2, u'0') + u':' +
           QString::number(magnitude % 60).rightJustified(2, u'0');
}

}  // namespace ovgApp
