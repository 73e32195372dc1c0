#include <gtest/gtest.h>

#include <QSettings>
#include <QString>
#include <cstdint>
#include <limits>

#include "App/AppDateInfo.h"
#include "App/AppTimeFormatter.h"
#include "Common/Library/ProfileValue.h"
#include "filelib/ChConstants.h"

using namespace ovgApp;

namespace {

// Times in ms since 1970 on the logger's clock, named by their wall-clock reading.
constexpr int64_t k20240305_070809_045 = 1709622489045;  // the day 45356 since 1899-12-30
constexpr int64_t k19991231_235959_999 = 946684799999;
constexpr int64_t k20231114_221320 = 1700000000000;
constexpr int64_t k20240229_000000_007 = 1709164800007;  // leap day
constexpr int64_t k20231231_233000 = 1704065400000;
constexpr int64_t k20240331_230000 = 1711926000000;
constexpr int64_t k20240115_120000 = 1705320000000;
constexpr int64_t k20240215_120000 = 1707998400000;
constexpr int64_t k20241015_120000 = 1728993600000;
constexpr int64_t k20241115_120000 = 1731672000000;
constexpr int64_t k20241215_120000 = 1734264000000;
constexpr int64_t k20241031_235959_500 = 1730419199500;
constexpr int64_t k09990704_010203 = -30625858677000;
constexpr int64_t k00010101_000000 = -62135596800000;      // the first supported time
constexpr int64_t k99991231_235959_999 = 253402300799999;  // the last supported time
constexpr int64_t k18991230_000000 = -2209161600000;       // serial day 0
constexpr int64_t k18991229_180000 = -2209183200000;
constexpr int64_t k19690101_000000 = -31536000000;  // a year boundary before 1970
constexpr int64_t k19680229_000000 = -58060800000;
constexpr int64_t k19000301_000000 = -2203891200000;  // 1900 had no 29 February

constexpr int64_t kHourMs = 3600000;
constexpr int64_t kMinuteMs = 60000;

QString Text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

const QString kDateInfo = QStringLiteral("Settings/DateInfo");

// Each test starts and ends with an empty date section in the test settings store.
class DateInfoSettings : public testing::Test {
protected:
    void SetUp() override { Clear(); }
    void TearDown() override { Clear(); }
    static void Clear()
    {
        QSettings settings;
        settings.remove(kDateInfo);
        settings.remove(QStringLiteral("Test/ProfileValue"));
        settings.sync();
    }
};

}  // namespace

// ---- the time text formatter --------------------------------------------------------------------

TEST(AppTimeFormatter, DateKindsOrderDayMonthAndYearAndNameMonths)
{
    const struct {
        int32_t kind;
        bool english;
        int64_t time;
        const char* text;
    } rows[] = {
        {0, false, k20240305_070809_045, "2024-03-05 07:08:09"},
        {1, false, k20240305_070809_045, "03-05-2024 07:08:09"},
        {2, false, k20240305_070809_045, "05-03-2024 07:08:09"},
        {3, false, k20240305_070809_045, "2024-3月-05 07:08:09"},
        {4, false, k20240305_070809_045, "3月-05-2024 07:08:09"},
        {5, false, k20240305_070809_045, "05-3月-2024 07:08:09"},
        {3, true, k20240305_070809_045, "2024-Mar-05 07:08:09"},
        {4, true, k20240305_070809_045, "Mar-05-2024 07:08:09"},
        {5, true, k20240305_070809_045, "05-Mar-2024 07:08:09"},
        // English only changes names: numeric months stay numbers.
        {0, true, k20240305_070809_045, "2024-03-05 07:08:09"},
        // Every month has its own name; 1月, 10月, 11月 and 12月 are told apart.
        {3, false, k20240115_120000, "2024-1月-15 12:00:00"},
        {3, false, k20240215_120000, "2024-2月-15 12:00:00"},
        {3, false, k20241015_120000, "2024-10月-15 12:00:00"},
        {3, false, k20241115_120000, "2024-11月-15 12:00:00"},
        {3, false, k20241215_120000, "2024-12月-15 12:00:00"},
        {3, true, k20240115_120000, "2024-Jan-15 12:00:00"},
        {3, true, k20240215_120000, "2024-Feb-15 12:00:00"},
        {3, true, k20241015_120000, "2024-Oct-15 12:00:00"},
        {3, true, k20241115_120000, "2024-Nov-15 12:00:00"},
        {3, true, k20241215_120000, "2024-Dec-15 12:00:00"},
        {5, true, k19991231_235959_999, "31-Dec-1999 23:59:59"},
        {3, false, k20231114_221320, "2023-11月-14 22:13:20"},
        {0, false, k20240229_000000_007, "2024-02-29 00:00:00"},
        // Times are broken down without a time zone, floored: 1 s before 1970.
        {0, false, -1000, "1969-12-31 23:59:59"},
        {0, false, -1, "1969-12-31 23:59:59"},
        {0, false, 0, "1970-01-01 00:00:00"},
        {0, false, k19690101_000000, "1969-01-01 00:00:00"},
        {2, false, k19690101_000000 - 1, "31-12-1968 23:59:59"},
        {3, true, k19680229_000000, "1968-Feb-29 00:00:00"},
        {0, false, k19000301_000000 - 1, "1900-02-28 23:59:59"},
        {0, false, k19000301_000000, "1900-03-01 00:00:00"},
        // Four-digit years, and the limits of the calendar.
        {0, false, k09990704_010203, "0999-07-04 01:02:03"},
        {0, false, k00010101_000000, "0001-01-01 00:00:00"},
        {0, false, k99991231_235959_999, "9999-12-31 23:59:59"},
        {0, false, k00010101_000000 - 1, ""},
        {0, false, k99991231_235959_999 + 1, ""},
        {2, false, std::numeric_limits<int64_t>::max(), ""},
    };
    for (const auto& row : rows) {
        AppTimeFormatter format(row.kind);
        format.SetEnglishMonths(row.english);
        EXPECT_EQ(Text(row.text), format.Format(row.time)) << row.kind << " " << row.time;
    }
}

TEST(AppTimeFormatter, MillisecondsAppendThreeDigitsAfterAPoint)
{
    const struct {
        int32_t kind;
        bool ownFlag;    // the formatter's milliseconds flag, used by Format(time)
        int callerFlag;  // -1: Format(time); 0 or 1: Format(time, flag)
        int64_t time;
        const char* text;
    } rows[] = {
        {4, true, -1, k20240305_070809_045, "3月-05-2024 07:08:09.045"},
        {0, true, -1, k20240305_070809_045, "2024-03-05 07:08:09.045"},
        {2, true, -1, k20241031_235959_500, "31-10-2024 23:59:59.500"},
        {0, true, -1, k20240229_000000_007, "2024-02-29 00:00:00.007"},
        {0, true, -1, k19991231_235959_999, "1999-12-31 23:59:59.999"},
        {0, true, -1, 0, "1970-01-01 00:00:00.000"},
        // Before 1970 the milliseconds count up from the floored second.
        {0, true, -1, -1, "1969-12-31 23:59:59.999"},
        {0, true, -1, -999, "1969-12-31 23:59:59.001"},
        {0, true, -1, k19690101_000000 - 1, "1968-12-31 23:59:59.999"},
        {0, true, -1, k19690101_000000 - 1000, "1968-12-31 23:59:59.000"},
        {0, false, -1, k20240305_070809_045, "2024-03-05 07:08:09"},
        // The caller's flag decides in place of the formatter's.
        {0, false, 1, k20240305_070809_045, "2024-03-05 07:08:09.045"},
        {0, true, 0, k20240305_070809_045, "2024-03-05 07:08:09"},
        // Elapsed time too.
        {8, true, -1, 45, "0day 00:00:00.045"},
        {8, false, -1, 45, "0day 00:00:00"},
        // The serial day number carries the milliseconds in its fraction: no second point.
        {6, true, -1, k20240305_070809_045, "45356.2973269097"},
        {6, false, 1, k20240305_070809_045, "45356.2973269097"},
        // Nothing is appended to a time the calendar cannot show.
        {0, true, -1, k99991231_235959_999 + 1, ""},
    };
    for (const auto& row : rows) {
        const AppTimeFormatter format(row.kind, row.ownFlag);
        const QString text =
            row.callerFlag < 0 ? format.Format(row.time) : format.Format(row.time, row.callerFlag != 0);
        EXPECT_EQ(Text(row.text), text) << row.kind << " " << row.time;
    }
}

TEST(AppTimeFormatter, OwnPatternUsesTheConversionLettersAndCopiesTheRest)
{
    const struct {
        const char* pattern;
        bool english;
        bool milliseconds;
        const char* text;
    } rows[] = {
        {"%Y-%m-%d %H:%M:%S", false, false, "2024-03-05 07:08:09"},
        {"%d/%m/%Y %H時%M分%S秒", false, false, "05/03/2024 07時08分09秒"},
        {"%b %d, %Y", true, true, "Mar 05, 2024.045"},
        {"%Y年%b%d日", false, false, "2024年3月05日"},
        {"100%% %H", false, false, "100% 07"},
        {"%q%Y", false, false, "%q2024"},      // an unknown conversion is copied
        {"%H:%M %", false, false, "07:08 %"},  // a '%' at the end is copied
        {"", false, true, ".045"},
        {"", false, false, ""},
    };
    for (const auto& row : rows) {
        AppTimeFormatter format(AppTimeFormatter::kOwnPattern, row.milliseconds);
        format.SetPattern(Text(row.pattern));
        format.SetEnglishMonths(row.english);
        EXPECT_EQ(Text(row.text), format.Format(k20240305_070809_045)) << row.pattern;
    }
}

TEST(AppTimeFormatter, SerialDayNumberCountsDaysSince18991230WithTheTimeAsFraction)
{
    const struct {
        int64_t time;
        const char* text;
    } rows[] = {
        {0, "25569.0000000000"},
        {12 * kHourMs, "25569.5000000000"},
        {6 * kHourMs, "25569.2500000000"},
        {-1, "25568.9999999884"},  // 1 ms before 1970
        {k19690101_000000, "25204.0000000000"},
        {k19690101_000000 - 1, "25203.9999999884"},
        {k18991230_000000, "0.0000000000"},
        {k18991229_180000, "-0.2500000000"},
        {946684800000, "36526.0000000000"},  // 2000-01-01
        {k20240305_070809_045, "45356.2973269097"},
        {k19991231_235959_999, "36525.9999999884"},
        {k20231114_221320, "45244.9259259259"},
        {k20240229_000000_007, "45351.0000000810"},  // 7 ms are visible
        {k20241031_235959_500, "45596.9999942130"},
        {k00010101_000000, "-693593.0000000000"},
        {k99991231_235959_999, "2958465.9999999884"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Text(row.text), AppTimeFormatter::SerialDayText(row.time)) << row.time;
        EXPECT_EQ(Text(row.text), AppTimeFormatter(AppTimeFormatter::kSerialDay).Format(row.time))
            << row.time;
    }
}

TEST(AppTimeFormatter, ElapsedTimeInDaysHoursMinutesAndSeconds)
{
    const struct {
        int64_t duration;
        bool milliseconds;
        const char* text;
    } rows[] = {
        {90061000, false, "1day 01:01:01"},
        {0, false, "0day 00:00:00"},
        {59999, false, "0day 00:00:59"},  // parts of a second are cut, not rounded
        {86399999, true, "0day 23:59:59.999"},
        {86400000, false, "1day 00:00:00"},
        {8640000000, false, "100day 00:00:00"},
        {45, true, "0day 00:00:00.045"},
        {-90061000, false, "-1day 01:01:01"},
        {-90061045, true, "-1day 01:01:01.045"},
        {std::numeric_limits<int64_t>::max(), false, "106751991167day 07:12:55"},
        {std::numeric_limits<int64_t>::min(), true, "-106751991167day 07:12:55.808"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Text(row.text), AppTimeFormatter::ElapsedText(row.duration, row.milliseconds))
            << row.duration;
        EXPECT_EQ(Text(row.text),
                  AppTimeFormatter(AppTimeFormatter::kElapsed, row.milliseconds).Format(row.duration))
            << row.duration;
    }
}

TEST(AppTimeFormatter, KindsOutsideZeroToEightAreRefused)
{
    const struct {
        int32_t kind;
        bool accepted;
        const char* text;  // of k20240305_070809_045 after starting at kind 1
    } rows[] = {
        {-1, false, "03-05-2024 07:08:09"}, {9, false, "03-05-2024 07:08:09"},
        {0, true, "2024-03-05 07:08:09"},   {5, true, "05-3月-2024 07:08:09"},
        {8, true, "19787day 07:08:09"},
    };
    for (const auto& row : rows) {
        AppTimeFormatter format(AppTimeFormatter::kMonthDayYear);
        EXPECT_EQ(row.accepted, format.SetKind(row.kind)) << row.kind;
        EXPECT_EQ(Text(row.text), format.Format(k20240305_070809_045)) << row.kind;
    }
}

// ---- the document's date settings ---------------------------------------------------------------

TEST(AppDateInfo, UtcOffsetTextInWholeMinutes)
{
    const struct {
        int64_t timeDiff;
        const char* text;
    } rows[] = {
        {9 * kHourMs, "UTC +09:00"},
        {-(3 * kHourMs + 30 * kMinuteMs), "UTC -03:30"},
        {5 * kHourMs + 30 * kMinuteMs, "UTC +05:30"},
        {5 * kHourMs + 45 * kMinuteMs, "UTC +05:45"},
        {9 * kHourMs + 30 * kMinuteMs, "UTC +09:30"},
        {-(9 * kHourMs + 30 * kMinuteMs), "UTC -09:30"},
        {-8 * kHourMs, "UTC -08:00"},
        {14 * kHourMs, "UTC +14:00"},
        {-12 * kHourMs, "UTC -12:00"},
        {0, "UTC +00:00"},
        {-30 * kMinuteMs, "UTC -00:30"},  // the sign stays with a part-hour offset
        {30 * kMinuteMs, "UTC +00:30"},
        {9 * kHourMs + 59999, "UTC +09:00"},  // seconds are cut
        {-59999, "UTC +00:00"},
        {OvGraphFileLib::NOT_GIVEN, ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(Text(row.text), AppDateInfo::UtcOffsetText(row.timeDiff)) << row.timeDiff;
}

// A row of a CSV export: the date and time text and the serial day number of one time show the
// same wall-clock time, both an hour later in daylight display.
TEST(AppDateInfo, DaylightDisplayShiftsTextAndSerialDayByOneHour)
{
    const struct {
        bool daylight;
        int32_t biasSec;
        int32_t kind;
        bool withMilliseconds;
        int64_t time;
        const char* text;
        const char* serial;
    } rows[] = {
        {false, 3600, 0, false, k20240305_070809_045, "2024-03-05 07:08:09", "45356.2973269097"},
        {true, 3600, 0, false, k20240305_070809_045, "2024-03-05 08:08:09", "45356.3389935764"},
        {true, 3600, 4, true, k20240305_070809_045, "3月-05-2024 08:08:09.045", "45356.3389935764"},
        // Across midnight, the month and the year.
        {true, 3600, 0, false, k20231231_233000, "2024-01-01 00:30:00", "45292.0208333333"},
        {true, 3600, 2, false, k20240331_230000, "01-04-2024 00:00:00", "45383.0000000000"},
        {true, 3600, 0, true, -1, "1970-01-01 00:59:59.999", "25569.0416666551"},
        // The stored bias is kept for the settings; the display shift is one hour.
        {true, 1800, 0, false, k20240305_070809_045, "2024-03-05 08:08:09", "45356.3389935764"},
        {false, 1800, 0, false, k20240305_070809_045, "2024-03-05 07:08:09", "45356.2973269097"},
        // At the end of the calendar the shift leaves nothing to show.
        {true, 3600, 0, false, k99991231_235959_999, "", "2958466.0416666551"},
    };
    for (const auto& row : rows) {
        AppDateInfo info;
        info.SetDaylight(row.daylight);
        info.SetDaylightBiasSec(row.biasSec);
        info.SetDateTimeFormat(row.kind);
        EXPECT_EQ(Text(row.text), info.DateTimeText(row.time, row.withMilliseconds)) << row.time;
        EXPECT_EQ(Text(row.serial), info.SerialDayText(row.time, 0)) << row.time;
    }
}

TEST(AppDateInfo, MillisecondsWhenTheUserOrTheCallerAsks)
{
    const struct {
        bool enableMsec;
        bool withMilliseconds;
        const char* text;
    } rows[] = {
        {false, false, "2024-3月-05 07:08:09"},
        {true, false, "2024-3月-05 07:08:09.045"},
        {false, true, "2024-3月-05 07:08:09.045"},
        {true, true, "2024-3月-05 07:08:09.045"},  // once, not twice
    };
    for (const auto& row : rows) {
        AppDateInfo info;
        info.SetDateTimeFormat(AppTimeFormatter::kYearMonthNameDay);
        info.SetEnableMsec(row.enableMsec);
        EXPECT_EQ(Text(row.text), info.DateTimeText(k20240305_070809_045, row.withMilliseconds))
            << row.enableMsec << row.withMilliseconds;
    }
}

TEST(AppDateInfo, DateTimeFormatAcceptsOnlyTheDialogKinds)
{
    const struct {
        int32_t kind;
        bool accepted;
        const char* text;  // after starting at kind 2
    } rows[] = {
        {0, true, "2024-03-05 07:08:09"},   {5, true, "05-3月-2024 07:08:09"},
        {6, false, "05-03-2024 07:08:09"},  {8, false, "05-03-2024 07:08:09"},
        {-1, false, "05-03-2024 07:08:09"},
    };
    for (const auto& row : rows) {
        AppDateInfo info;
        info.SetDateTimeFormat(AppTimeFormatter::kDayMonthYear);
        EXPECT_EQ(row.accepted, info.SetDateTimeFormat(row.kind)) << row.kind;
        EXPECT_EQ(Text(row.text), info.DateTimeText(k20240305_070809_045)) << row.kind;
    }
}

// ---- settings -----------------------------------------------------------------------------------

TEST_F(DateInfoSettings, ProfileValueReadsTheDefaultWhenAbsentOrUnreadable)
{
    const ProfileValue<int32_t> number(QStringLiteral("Test/ProfileValue"), QStringLiteral("Number"), 7);
    const ProfileValue<double> ratio(QStringLiteral("Test/ProfileValue"), QStringLiteral("Ratio"), 0.5);
    const ProfileValue<QString> name(QStringLiteral("Test/ProfileValue"), QStringLiteral("Name"),
                                     QStringLiteral("既定"));
    const struct {
        const char* storedNumber;  // nullptr: absent
        const char* storedRatio;
        const char* storedName;
        int32_t number;
        double ratio;
        const char* name;
    } rows[] = {
        {nullptr, nullptr, nullptr, 7, 0.5, "既定"}, {"42", "2.25", "湿度", 42, 2.25, "湿度"},
        {"-3", "-1e3", "", -3, -1000.0, ""},         {"abc", "x", "1", 7, 0.5, "1"},
        {"4294967296", "1.5", "a b", 7, 1.5, "a b"},  // beyond 32 bits
    };
    for (const auto& row : rows) {
        {
            QSettings settings;
            settings.remove(QStringLiteral("Test/ProfileValue"));
            if (row.storedNumber)
                settings.setValue(QStringLiteral("Test/ProfileValue/Number"), Text(row.storedNumber));
            if (row.storedRatio)
                settings.setValue(QStringLiteral("Test/ProfileValue/Ratio"), Text(row.storedRatio));
            if (row.storedName)
                settings.setValue(QStringLiteral("Test/ProfileValue/Name"), Text(row.storedName));
        }
        EXPECT_EQ(row.number, number.Read()) << row.storedNumber;
        EXPECT_DOUBLE_EQ(row.ratio, ratio.Read()) << row.storedRatio;
        EXPECT_EQ(Text(row.name), name.Read()) << row.storedName;
    }
}

TEST_F(DateInfoSettings, ProfileValueWritesWhatItReadsBack)
{
    const ProfileValue<int32_t> number(QStringLiteral("Test/ProfileValue"), QStringLiteral("Number"), 7);
    const ProfileValue<QString> name(QStringLiteral("Test/ProfileValue"), QStringLiteral("Name"), QString());
    const struct {
        int32_t number;
        const char* name;
    } rows[] = {
        {0, "温度"},
        {std::numeric_limits<int32_t>::min(), "a,b"},
        {std::numeric_limits<int32_t>::max(), "\"quoted\" = 1"},
    };
    for (const auto& row : rows) {
        number.Write(row.number);
        name.Write(Text(row.name));
        {
            QSettings settings;
            settings.sync();
        }
        EXPECT_EQ(row.number, number.Read()) << row.number;
        EXPECT_EQ(Text(row.name), name.Read()) << row.name;
    }
}

// Settings written under their value names are what Load reads; absent ones read as the defaults
// (year-month-day, no daylight display, no milliseconds).
TEST_F(DateInfoSettings, LoadReadsTheStoredValuesAndDefaults)
{
    constexpr int kAbsent = std::numeric_limits<int>::min();
    const struct {
        int dateTimeFormat;
        int daylight;
        int daylightBiasSec;
        int enableMsec;
        const char* text;  // of k20231231_233000 + 45 ms
        const char* serial;
        int savedBiasSec;  // what Save writes back
    } rows[] = {
        {kAbsent, kAbsent, kAbsent, kAbsent, "2023-12-31 23:30:00", "45291.9791671875", 3600},
        {4, kAbsent, kAbsent, kAbsent, "12月-31-2023 23:30:00", "45291.9791671875", 3600},
        {5, 1, kAbsent, 1, "01-1月-2024 00:30:00.045", "45292.0208338542", 3600},
        {1, 0, 1800, 1, "12-31-2023 23:30:00.045", "45291.9791671875", 1800},
        {kAbsent, 7, -3600, kAbsent, "2024-01-01 00:30:00", "45292.0208338542", -3600},  // any non-zero is on
        {9, kAbsent, kAbsent, kAbsent, "2023-12-31 23:30:00", "45291.9791671875", 3600},  // not a dialog kind
        {6, kAbsent, kAbsent, kAbsent, "2023-12-31 23:30:00", "45291.9791671875", 3600},
        {-1, kAbsent, kAbsent, kAbsent, "2023-12-31 23:30:00", "45291.9791671875", 3600},
    };
    const ProfileValue<int32_t> dateTimeFormat(kDateInfo, QStringLiteral("DateTimeFormat"), -100);
    const ProfileValue<int32_t> daylight(kDateInfo, QStringLiteral("Daylight"), -100);
    const ProfileValue<int32_t> daylightBiasSec(kDateInfo, QStringLiteral("DaylightBiasSec"), -100);
    const ProfileValue<int32_t> enableMsec(kDateInfo, QStringLiteral("EnableMsec"), -100);
    for (const auto& row : rows) {
        Clear();
        if (row.dateTimeFormat != kAbsent) dateTimeFormat.Write(row.dateTimeFormat);
        if (row.daylight != kAbsent) daylight.Write(row.daylight);
        if (row.daylightBiasSec != kAbsent) daylightBiasSec.Write(row.daylightBiasSec);
        if (row.enableMsec != kAbsent) enableMsec.Write(row.enableMsec);

        AppDateInfo info;
        info.SetDateTimeFormat(AppTimeFormatter::kDayMonthNameYear);  // Load replaces all of it
        info.SetDaylight(true);
        info.SetEnableMsec(true);
        info.SetDaylightBiasSec(1);
        info.Load();
        EXPECT_EQ(Text(row.text), info.DateTimeText(k20231231_233000 + 45)) << row.dateTimeFormat;
        EXPECT_EQ(Text(row.serial), info.SerialDayText(k20231231_233000 + 45, 0)) << row.dateTimeFormat;

        Clear();
        info.Save();
        EXPECT_EQ(row.savedBiasSec, daylightBiasSec.Read()) << row.dateTimeFormat;
    }
}

// Save writes every setting as an integer under its value name; a fresh object loads them back.
TEST_F(DateInfoSettings, SaveWritesIntegersThatLoadReadsBack)
{
    const struct {
        int32_t kind;
        bool daylight;
        int32_t biasSec;
        bool enableMsec;
        const char* text;  // of k20240305_070809_045 after loading
    } rows[] = {
        {0, false, 3600, false, "2024-03-05 07:08:09"},
        {3, true, 3600, true, "2024-3月-05 08:08:09.045"},
        {5, false, 1800, true, "05-3月-2024 07:08:09.045"},
        {1, true, 0, false, "03-05-2024 08:08:09"},
    };
    const ProfileValue<int32_t> dateTimeFormat(kDateInfo, QStringLiteral("DateTimeFormat"), -100);
    const ProfileValue<int32_t> daylight(kDateInfo, QStringLiteral("Daylight"), -100);
    const ProfileValue<int32_t> daylightBiasSec(kDateInfo, QStringLiteral("DaylightBiasSec"), -100);
    const ProfileValue<int32_t> enableMsec(kDateInfo, QStringLiteral("EnableMsec"), -100);
    for (const auto& row : rows) {
        Clear();
        AppDateInfo saved;
        saved.SetDateTimeFormat(row.kind);
        saved.SetDaylight(row.daylight);
        saved.SetDaylightBiasSec(row.biasSec);
        saved.SetEnableMsec(row.enableMsec);
        saved.Save();

        EXPECT_EQ(row.kind, dateTimeFormat.Read()) << row.kind;
        EXPECT_EQ(row.daylight ? 1 : 0, daylight.Read()) << row.kind;
        EXPECT_EQ(row.biasSec, daylightBiasSec.Read()) << row.kind;
        EXPECT_EQ(row.enableMsec ? 1 : 0, enableMsec.Read()) << row.kind;
        {
            const QSettings settings;
            EXPECT_EQ(row.kind, settings.value(kDateInfo + QStringLiteral("/DateTimeFormat")).toInt())
                << row.kind;
        }

        AppDateInfo loaded;
        loaded.Load();
        EXPECT_EQ(Text(row.text), loaded.DateTimeText(k20240305_070809_045)) << row.kind;
    }
}

// The serial day number is the sample's instant on the computer's clock: the logger's offset from
// UTC comes off, the computer's zone and its daylight rules go on, then the daylight display.
TEST(AppDateInfo, SerialDayNumberIsTheInstantInTheComputersTimeZone)
{
    constexpr int64_t kHour = 3600000;
    constexpr int64_t k20240701_120000 = 1719835200000;
    const struct {
        const char* zone;
        int64_t time;       // on the logger's clock
        int64_t utcOffset;  // the logger's
        bool daylight;
        const char* serial;
    } rows[] = {
        {"Asia/Tokyo", k20240305_070809_045, 9 * kHour, false, "45356.2973269097"},  // logger in the computer's zone
        {"Asia/Tokyo", k20240305_070809_045, 0, false, "45356.6723269097"},          // a UTC logger read in Tokyo
        {"America/New_York", k20240305_070809_045, 0, false, "45356.0889935764"},    // standard time, -5 h
        {"America/New_York", k20240701_120000, 0, false, "45474.3333333333"},        // summer time, -4 h
        {"America/New_York", k20240701_120000, 0, true, "45474.3750000000"},         // and the display's hour
        {"UTC", k20240305_070809_045, -2 * kHour, false, "45356.3806602431"},
    };
    const QByteArray before = qgetenv("TZ");
    for (const auto& row : rows) {
        SCOPED_TRACE(row.zone);
        qputenv("TZ", row.zone);
        AppDateInfo info;
        info.SetDaylight(row.daylight);
        EXPECT_EQ(Text(row.serial), info.SerialDayText(row.time, row.utcOffset)) << row.time;
        if (row.utcOffset == 0 && !row.daylight) {
            EXPECT_EQ(Text(row.serial), AppTimeFormatter(AppTimeFormatter::kSerialDay).Format(row.time));
        }
    }
    qputenv("TZ", before);
}
