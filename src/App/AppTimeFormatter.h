#pragma once

#include <QString>
#include <atomic>
#include <cstdint>
#include <limits>

namespace ovgApp {

// Writes the time texts that the application shows outside the graph's axis labels: the data
// table, CSV export, printing, popups, cursor readouts and the tools.
// Times are signed milliseconds since 1970-01-01 00:00 on a clock without a time zone (the
// logger's local time stored as if it were UTC). They are broken down as UTC on the Gregorian
// calendar (floored, so 1 ms before 1970 is 1969-12-31 23:59:59.999), so neither the process
// locale nor its time zone changes a text.
class AppTimeFormatter {
public:
    enum Kind : int32_t {
        kYearMonthDay = 0,      // "%Y-%m-%d %H:%M:%S"
        kMonthDayYear = 1,      // "%m-%d-%Y %H:%M:%S"
        kDayMonthYear = 2,      // "%d-%m-%Y %H:%M:%S"
        kYearMonthNameDay = 3,  // "%Y-%b-%d %H:%M:%S"
        kMonthNameDayYear = 4,  // "%b-%d-%Y %H:%M:%S"
        kDayMonthNameYear = 5,  // "%d-%b-%Y %H:%M:%S"
        kSerialDay = 6,         // days since 1899-12-30 with the time of day as fraction, "%.10f"
        kOwnPattern = 7,        // date and time with the formatter's own pattern
        kElapsed = 8,           // elapsed time "%dday %02d:%02d:%02d"
    };
    // Kinds 0 to 2 plus this write the month as a name (kinds 3 to 5).
    static constexpr int32_t kMonthNamesStep = 3;

    explicit AppTimeFormatter(int32_t kind = kYearMonthDay, bool milliseconds = false);

    int32_t GetKind() const { return m_kind; }
    // Refuses (false, kind unchanged) a kind outside 0 to 8.
    bool SetKind(int32_t kind);
    // Kinds 3 to 5 write the month as an abbreviated name.
    bool HasMonthNames() const;
    // Whether Format(timeMs) appends ".mmm".
    bool GetMilliseconds() const { return m_milliseconds; }
    void SetMilliseconds(bool milliseconds) { m_milliseconds = milliseconds; }
    // The pattern of kind 7, with the conversions %Y (four-digit year), %m, %b (abbreviated month
    // name), %d, %H, %M, %S and %%; any other character after '%' is copied with the '%'.
    const QString& GetPattern() const { return m_pattern; }
    void SetPattern(const QString& pattern) { m_pattern = pattern; }
    // Month names are the Japanese ones ("1月" to "12月"), the names of the application's locale,
    // unless English ("Jan" to "Dec") is chosen.
    bool GetEnglishMonths() const { return m_englishMonths; }
    void SetEnglishMonths(bool english) { m_englishMonths = english; }
    // Whether new formatters write English month names: the window sets it for its language.
    static void SetEnglishMonthsByDefault(bool english) { s_englishMonthsByDefault = english; }

    // The kind's text of the time, with ".mmm" when this formatter's milliseconds flag is set.
    QString Format(int64_t timeMs) const { return Format(timeMs, m_milliseconds); }
    // The kind's text of the time, with ".mmm" (the milliseconds within the second, three digits)
    // when `milliseconds` is set. Kind 6 carries the milliseconds in its fraction and never
    // appends them. Date kinds give an empty text for a time outside the years 1 to 9999.
    QString Format(int64_t timeMs, bool milliseconds) const;

    // Days since 1899-12-30 00:00 plus the time of day (milliseconds included) as fraction of a
    // day, with ten decimals, every digit exact: 1970-01-01 12:00 is "25569.5000000000".
    static QString SerialDayText(int64_t timeMs);
    // The wall-clock time of an instant (ms since 1970 UTC) on the computer's clock: its time
    // zone and daylight saving rules applied. The instant itself when the zone cannot tell.
    static int64_t SystemLocalTime(int64_t utcMs);
    // SystemLocalTime for many instants in a row (an export): the offset is looked up once per hour
    // of instants whose start and end share it, since the lookup costs more than a whole row.
    class SystemClock {
    public:
        int64_t LocalTime(int64_t utcMs);

    private:
        int64_t m_hour = std::numeric_limits<int64_t>::min();
        int64_t m_offsetMs = 0;
        bool m_uniform = false;
    };
    // A duration as "%dday %02d:%02d:%02d" (days, hours, minutes, seconds), ".mmm" appended when
    // `milliseconds` is set; a negative duration is the same text of its magnitude after "-".
    static QString ElapsedText(int64_t durationMs, bool milliseconds);

private:
    QString DateTimeText(QStringView pattern, int64_t timeMs, bool milliseconds) const;

    int32_t m_kind = kYearMonthDay;
    QString m_pattern = QStringLiteral("%Y-%m-%d %H:%M:%S");
    bool m_milliseconds = false;
    bool m_englishMonths = s_englishMonthsByDefault;
    static inline std::atomic<bool> s_englishMonthsByDefault = false;
};

}  // namespace ovgApp
