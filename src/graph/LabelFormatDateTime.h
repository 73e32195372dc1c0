#pragma once

#include <atomic>

#include "graph/LabelFormat.h"

namespace ovgGraph {

// A time label: the date and the time of a value in seconds since 1970-01-01 00:00 (a clock
// without a time zone, so broken down as UTC), on two lines, optionally with milliseconds.
// The formats use the C library's strftime conversions, worked out here so that neither the
// process locale nor its time zone matters: %Y %y %C %m %d %e %j %b %h %B %a %A %u %w %H %I %M
// %S %p, the composites %F %T %R %D, and %n %t %%. An unknown conversion is copied as it is.
// Names are Japanese ("11月", "火", "午後") unless the English flag is set ("Nov", "Tue", "PM").
class LabelFormatDateTime : public LabelFormat {
public:
    explicit LabelFormatDateTime(Observer* owner = nullptr) : LabelFormat(owner), m_english(s_englishForNewAxes) {}

    // Whether new time axes start with English names: the window sets it for its language. A
    // graph document does not store the flag, so an opened document's axes follow it too.
    static void SetEnglishForNewAxes(bool english) { s_englishForNewAxes = english; }

    std::shared_ptr<LabelFormat> Clone() const override;
    // The date format's text and the time format's text joined by "\n" (an empty format adds no
    // part and no line break), then ".mmm" when milliseconds are on. The value is counted in
    // whole milliseconds (floored, with 1 µs of slack for ticks that land a rounding error below
    // one). Empty for a value that is not a time of the years 1 to 9999.
    QString Format(double value) const override;

    const QString& GetDateFormat() const { return m_dateFormat; }
    void SetDateFormat(const QString& format);
    const QString& GetTimeFormat() const { return m_timeFormat; }
    void SetTimeFormat(const QString& format);
    bool GetEnglish() const { return m_english; }
    void SetEnglish(bool english);
    bool GetMilliseconds() const { return m_milliseconds; }
    void SetMilliseconds(bool milliseconds);

private:
    QString m_dateFormat = QStringLiteral("%Y-%b-%d");
    QString m_timeFormat = QStringLiteral("%H:%M:%S");
    bool m_english;
    bool m_milliseconds = false;
    static inline std::atomic<bool> s_englishForNewAxes = false;
};

}  // namespace ovgGraph
