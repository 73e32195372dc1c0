#include <gtest/gtest.h>

#include <QString>
#include <limits>

#include "Recorder.h"
#include "graph/LabelFormatDateTime.h"
#include "graph/LabelFormatValue.h"

using namespace ovgGraph;
using ovgGraph::test::Recorder;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// 2023-11-14 22:13:20, a Tuesday, day 318 of the year.
constexpr double kTuesday = 1700000000;
// 2024-03-05 07:08:09, a Tuesday, day 65 of a leap year; midnight and noon of that day.
constexpr double kMarchMorning = 1709622489;
constexpr double kMarchMidnight = 1709596800;
constexpr double kMarchNoon = 1709640000;
// 2023-11-12 00:00, a Sunday.
constexpr double kSunday = 1699747200;

QString DateTime(double value, const char* dateFormat, const char* timeFormat, bool english,
                 bool milliseconds)
{
    LabelFormatDateTime format;
    format.SetDateFormat(QString::fromUtf8(dateFormat));
    format.SetTimeFormat(QString::fromUtf8(timeFormat));
    format.SetEnglish(english);
    format.SetMilliseconds(milliseconds);
    return format.Format(value);
}

}  // namespace

// ---- values -------------------------------------------------------------------------------------

TEST(LabelFormatValue, FixedPointWithTheDecimalPlaces)
{
    const struct {
        int32_t places;
        double value;
        const char* text;
    } rows[] = {
        {1, 3.14159, "3.1"},
        {1, 1e6, "1000000.0"},
        {3, 1234.5, "1234.500"},
        {2, 2.675, "2.67"},  // 2.675 is 2.67499999... in binary
        {1, 0.25, "0.2"},    // an exact tie rounds to even, as printf does
        {1, -0.06, "-0.1"},
        {1, -0.04, "0.0"},    // reads as zero: no minus sign
        {2, -1e-17, "0.00"},  // a tick a rounding error below zero
        {0, -2.5, "-3"},      // whole numbers round half away from zero
        {0, 2.5, "3"},
        {0, 0.5, "1"},
        {0, 1.4999, "1"},
        {0, -0.4, "0"},
        {0, 1e10, "10000000000"},             // beyond 32 bits
        {-2, 7.6, "8"},                       // fewer than none is none
        {50, 0.5, "0.50000000000000000000"},  // at most 20 places
    };
    for (const auto& row : rows) {
        LabelFormatValue format;
        format.SetDecimalPlaces(row.places);
        EXPECT_EQ(QString::fromLatin1(row.text), format.Format(row.value)) << row.places << " " << row.value;
    }
}

TEST(LabelFormatValue, DefaultIsOneDecimalPlace)
{
    EXPECT_EQ(QStringLiteral("12.3"), LabelFormatValue().Format(12.34));
}

TEST(LabelFormatValue, ChangingThePlacesNotifiesOnce)
{
    Recorder owner;
    LabelFormatValue format(&owner);
    format.SetDecimalPlaces(1);  // the default: no change
    EXPECT_EQ(0, owner.calls);
    format.SetDecimalPlaces(3);
    EXPECT_EQ(1, owner.calls);
    EXPECT_EQ(4u, owner.flags);
}

TEST(LabelFormatValue, CloneFormatsAlikeWithoutTheObservers)
{
    Recorder owner;
    LabelFormatValue format(&owner);
    format.SetDecimalPlaces(3);
    const std::shared_ptr<LabelFormat> clone = format.Clone();
    EXPECT_TRUE(clone->Observers().empty());
    EXPECT_EQ(QStringLiteral("2.500"), clone->Format(2.5));
}

// ---- dates and times ----------------------------------------------------------------------------

TEST(LabelFormatDateTime, DefaultFormatsInBothLanguages)
{
    const struct {
        double value;
        bool english;
        const char* text;
    } rows[] = {
        {kTuesday, false, "2023-11月-14\n22:13:20"},
        {kTuesday, true, "2023-Nov-14\n22:13:20"},
        {0, true, "1970-Jan-01\n00:00:00"},
        {kMarchMorning, false, "2024-3月-05\n07:08:09"},
    };
    for (const auto& row : rows) {
        LabelFormatDateTime format;
        format.SetEnglish(row.english);
        EXPECT_EQ(QString::fromUtf8(row.text), format.Format(row.value)) << row.text;
    }
}

TEST(LabelFormatDateTime, MonthNamesInBothLanguages)
{
    // The 15th of every month of 2023.
    const double fifteenths[12] = {1673740800, 1676419200, 1678838400, 1681516800, 1684108800, 1686787200,
                                   1689379200, 1692057600, 1694736000, 1697328000, 1700006400, 1702598400};
    const char* japanese[12] = {"1月", "2月", "3月", "4月",  "5月",  "6月",
                                "7月", "8月", "9月", "10月", "11月", "12月"};
    const char* english[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                               "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const char* full[12] = {"January", "February", "March",     "April",   "May",      "June",
                            "July",    "August",   "September", "October", "November", "December"};
    for (int m = 0; m < 12; ++m) {
        EXPECT_EQ(QString::fromUtf8(japanese[m]) + u'|' + QString::fromUtf8(japanese[m]),
                  DateTime(fifteenths[m], "%b|%B", "", false, false));
        EXPECT_EQ(QString::fromUtf8(english[m]) + u'|' + QString::fromUtf8(full[m]),
                  DateTime(fifteenths[m], "%b|%B", "", true, false));
    }
}

TEST(LabelFormatDateTime, WeekdayNamesInBothLanguages)
{
    const char* japanese[7] = {"日|日曜日", "月|月曜日", "火|火曜日", "水|水曜日",
                               "木|木曜日", "金|金曜日", "土|土曜日"};
    const char* english[7] = {"Sun|Sunday",   "Mon|Monday", "Tue|Tuesday", "Wed|Wednesday",
                              "Thu|Thursday", "Fri|Friday", "Sat|Saturday"};
    for (int d = 0; d < 7; ++d) {
        EXPECT_EQ(QString::fromUtf8(japanese[d]), DateTime(kSunday + d * 86400, "%a|%A", "", false, false));
        EXPECT_EQ(QString::fromUtf8(english[d]), DateTime(kSunday + d * 86400, "%a|%A", "", true, false));
    }
}

TEST(LabelFormatDateTime, Conversions)
{
    const struct {
        const char* format;
        double value;
        bool english;
        const char* text;
    } rows[] = {
        {"%Y|%y|%C|%m|%d|%e|%j", kTuesday, true, "2023|23|20|11|14|14|318"},
        {"%Y|%y|%C|%m|%d|%e|%j", kMarchMorning, true, "2024|24|20|03|05| 5|065"},
        {"%H|%I|%M|%S|%p", kTuesday, true, "22|10|13|20|PM"},
        {"%H|%I|%M|%S|%p", kTuesday, false, "22|10|13|20|午後"},
        {"%H|%I|%M|%S|%p", kMarchMorning, false, "07|07|08|09|午前"},
        {"%H|%I|%p", kMarchMidnight, true, "00|12|AM"},
        {"%H|%I|%p", kMarchNoon, true, "12|12|PM"},
        {"%u %w", kTuesday, true, "2 2"},
        {"%u %w", kSunday, true, "7 0"},
        {"%F %T", kTuesday, true, "2023-11-14 22:13:20"},
        {"%D %R", kTuesday, true, "11/14/23 22:13"},
        {"%h", kTuesday, false, "11月"},
        {"%Y年%m月%d日", kTuesday, false, "2023年11月14日"},
        {"%Y|%j|%a|%u", -31536001, true, "1968|366|Tue|2"},  // the last day of a leap year before 1970
        {"%% %Q 100%", kTuesday, true, "% %Q 100%"},  // unknown and trailing '%' are copied
        {"a%nb%tc", kTuesday, true, "a\nb\tc"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(QString::fromUtf8(row.text), DateTime(row.value, row.format, "", row.english, false))
            << row.format;
}

TEST(LabelFormatDateTime, MillisecondsAreAppendedToTheTime)
{
    const struct {
        double value;
        bool milliseconds;
        const char* text;
    } rows[] = {
        {kTuesday + 0.25, true, "22:13:20.250"},
        {kTuesday + 0.4, true, "22:13:20.400"},  // 0.39999997 as stored: not ".399"
        {kTuesday + 0.0005, true, "22:13:20.000"},
        {kTuesday + 0.999, true, "22:13:20.999"},
        {kTuesday + 0.9999995, true, "22:13:21.000"},  // a rounding error below the next second
        {kTuesday + 0.7, false, "22:13:20"},           // seconds are not rounded up
        {-0.5, true, "23:59:59.500"},                  // before 1970: still counted downwards
        {-31536000.001, true, "23:59:59.999"},         // 1 ms before 1969-01-01
    };
    for (const auto& row : rows)
        EXPECT_EQ(QString::fromUtf8(row.text), DateTime(row.value, "", "%H:%M:%S", true, row.milliseconds))
            << row.text;
}

TEST(LabelFormatDateTime, AnEmptyFormatAddsNoPartAndNoLineBreak)
{
    const struct {
        const char* date;
        const char* time;
        bool milliseconds;
        const char* text;
    } rows[] = {
        {"%Y-%m-%d", "%H:%M", false, "2023-11-14\n22:13"},
        {"", "%H:%M", false, "22:13"},
        {"%Y-%m-%d", "", false, "2023-11-14"},
        {"%Y-%m-%d", "", true, "2023-11-14.250"},
        {"", "", true, ".250"},
        {"", "", false, ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(QString::fromUtf8(row.text),
                  DateTime(kTuesday + 0.25, row.date, row.time, true, row.milliseconds))
            << row.text;
}

TEST(LabelFormatDateTime, ValuesOutsideTheCalendarGiveAnEmptyText)
{
    const struct {
        const char* what;
        double value;
        const char* text;
    } rows[] = {
        {"not a number", kNaN, ""},
        {"infinite", kInf, ""},
        {"minus infinite", -kInf, ""},
        {"far future", 1e300, ""},
        {"first second of the year 10000", 253402300800, ""},
        {"last second of the year 9999", 253402300799, "9999-Dec-31\n23:59:59"},
        {"first second of the year 1", -62135596800, "1-Jan-01\n00:00:00"},
        {"one second before", -62135596801, ""},
        {"one second before 1970", -1, "1969-Dec-31\n23:59:59"},
        {"first second of 1969", -31536000, "1969-Jan-01\n00:00:00"},
        {"last second of 1968", -31536001, "1968-Dec-31\n23:59:59"},
        {"leap day before 1970", -58060800, "1968-Feb-29\n00:00:00"},
        {"1900 has no 29 February", -2203891201, "1900-Feb-28\n23:59:59"},
        {"leap day", 1709164800, "2024-Feb-29\n00:00:00"},
    };
    for (const auto& row : rows) {
        LabelFormatDateTime format;
        format.SetEnglish(true);
        EXPECT_EQ(QString::fromUtf8(row.text), format.Format(row.value)) << row.what;
    }
}

TEST(LabelFormatDateTime, EachChangeNotifiesOnce)
{
    Recorder owner;
    LabelFormatDateTime format(&owner);
    format.SetDateFormat(QStringLiteral("%Y-%b-%d"));  // the defaults: no change
    format.SetTimeFormat(QStringLiteral("%H:%M:%S"));
    format.SetEnglish(false);
    format.SetMilliseconds(false);
    EXPECT_EQ(0, owner.calls);
    format.SetDateFormat(QStringLiteral("%m/%d"));
    format.SetTimeFormat(QStringLiteral("%H"));
    format.SetEnglish(true);
    format.SetMilliseconds(true);
    format.SetMilliseconds(true);
    EXPECT_EQ(4, owner.calls);
    EXPECT_EQ(4u, owner.flags);
}

TEST(LabelFormatDateTime, CloneFormatsAlikeWithoutTheObservers)
{
    Recorder owner;
    LabelFormatDateTime format(&owner);
    format.SetDateFormat(QStringLiteral("%d %B"));
    format.SetTimeFormat(QStringLiteral("%I %p"));
    format.SetEnglish(true);
    format.SetMilliseconds(true);
    const std::shared_ptr<LabelFormat> clone = format.Clone();
    EXPECT_TRUE(clone->Observers().empty());
    EXPECT_EQ(QStringLiteral("14 November\n10 PM.250"), clone->Format(kTuesday + 0.25));
}
