#pragma once

#include <QSettings>
#include <QString>
#include <cstdint>

#include "App/AppTimeFormatter.h"

namespace ovgApp {

// The document's date and time settings: the order of day, month and year, months as names,
// milliseconds, and whether sample times are shown in daylight saving time. Every date and time
// that the application shows outside the graph's axis labels goes through here, so a change of the
// settings applies everywhere at once.
// Settings live in the per-user store, section "Settings/DateInfo", all as integers:
// "DateTimeFormat" (kind 0 to 5, default 0), "Daylight" (0), "DaylightBiasSec" (3600),
// "EnableMsec" (0).
class AppDateInfo {
public:
    // Shift added to a sample time while daylight display is on: one hour, in milliseconds.
    static constexpr int64_t kDaylightShiftMs = 3600000;

    AppDateInfo();

    // Reads every setting, a default standing in for a value that is absent or not a number;
    // a stored kind outside 0 to 5 reads as 0.
    void Load(const QSettings& settings);
    void Load();
    // Writes every setting (when the date format dialog is confirmed).
    void Save(QSettings& settings) const;
    void Save() const;

    // Reads whether the computer's time zone has daylight saving time (at start-up; it only tells
    // the date format dialog whether to offer daylight display). False when the zone is unknown.
    bool ReadSystemTimeZone();
    bool GetSystemHasDaylight() const { return m_systemHasDaylight; }

    bool GetDaylight() const { return m_daylight; }
    void SetDaylight(bool daylight) { m_daylight = daylight; }
    // Stored and saved with the other settings; the display shift is always kDaylightShiftMs.
    int32_t GetDaylightBiasSec() const { return m_daylightBiasSec; }
    void SetDaylightBiasSec(int32_t seconds) { m_daylightBiasSec = seconds; }
    // Kind 0 to 5 of the date and time text (AppTimeFormatter::Kind).
    int32_t GetDateTimeFormat() const { return m_format.GetKind(); }
    // Refuses (false, unchanged) a kind outside 0 to 5.
    bool SetDateTimeFormat(int32_t kind);
    bool GetEnableMsec() const { return m_format.GetMilliseconds(); }
    void SetEnableMsec(bool enable) { m_format.SetMilliseconds(enable); }
    const AppTimeFormatter& GetTimeFormat() const { return m_format; }

    // A sample time (ms since 1970 on the logger's clock) as the displays show it: one hour later
    // while daylight display is on. Saturates at the largest time.
    int64_t DisplayTime(int64_t timeMs) const;
    // Date and time text of a sample time, daylight shift applied; ".mmm" when the user enabled
    // milliseconds or the caller asks for them (CSV export of a channel recorded faster than once
    // a second). Empty outside the years 1 to 9999.
    QString DateTimeText(int64_t timeMs, bool withMilliseconds = false) const;
    // Serial day number of a sample (days since 1899-12-30, "%.10f"): the sample's instant (its
    // time on the logger's clock minus the logger's offset from UTC, in ms) on the computer's clock,
    // with the computer's time zone and daylight rules, plus the daylight display shift. For a logger
    // in the computer's own zone it is the wall-clock time of DateTimeText, to the millisecond.
    QString SerialDayText(int64_t timeMs, int64_t utcOffsetMs) const;
    // The same through a clock that remembers the computer's offset (for long exports).
    QString SerialDayText(int64_t timeMs, int64_t utcOffsetMs, AppTimeFormatter::SystemClock& clock) const;

    // "UTC +09:00" for a channel's time difference in ms (ICh::GetTimeDiff), whole minutes;
    // empty when the difference is not given (OvGraphFileLib::NOT_GIVEN).
    static QString UtcOffsetText(int64_t timeDiffMs);
    // A length of time: "%dday(s) %02d:%02d:%02d.%03d", with a leading "-" when negative.
    static QString DurationText(int64_t ms);

private:
    int32_t m_daylightBiasSec = 3600;
    bool m_daylight = false;
    bool m_systemHasDaylight = false;
    AppTimeFormatter m_format;
};

}  // namespace ovgApp
