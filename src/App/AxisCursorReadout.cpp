#include "App/AxisCursorReadout.h"

#include <QCoreApplication>

#include <QStringList>
#include <algorithm>
#include <cmath>

#include "App/AppCh.h"
#include "App/AppDateInfo.h"
#include "App/AppDocument.h"
#include "filelib/ChConstants.h"

namespace ovgApp {
namespace {

int64_t Milliseconds(double seconds)
{
    return int64_t(std::llround(seconds * 1000.0));
}

// The value of the last point at or before x; no data when there is none.
double ValueAt(const AppPoints& points, double x)
{
    const size_t after = points.UpperBound(x);
    return after == 0 ? OvGraphFileLib::INVALID_VALUE : points.Y(after - 1);
}

}  // namespace

AxisCursorReadout AxisCursorReadout::Read(const AppDocument& document, double timeA, double timeB,
                                          const AppDateInfo& dateInfo)
{
    AxisCursorReadout readout;
    readout.timeA = dateInfo.DateTimeText(Milliseconds(timeA));
    readout.timeB = dateInfo.DateTimeText(Milliseconds(timeB));
    readout.timeDifference = AppDateInfo::DurationText(Milliseconds(timeB) - Milliseconds(timeA));
    const double from = std::min(timeA, timeB), to = std::max(timeA, timeB);
    for (const auto& channel : document.GetChannels()) {
        const AppPoints& points = channel->GetPoints();
        Row row;
        row.name = channel->GetChNumberText() + QLatin1Char(' ') + channel->GetDisplayName();
        const double a = ValueAt(points, timeA), b = ValueAt(points, timeB);
        row.atA = channel->FormatValue(a);
        row.atB = channel->FormatValue(b);
        if (!OvGraphFileLib::IsNoData(a) && !OvGraphFileLib::IsNoData(b))
            row.difference = channel->FormatValue(b - a);
        const size_t first = points.LowerBound(from), end = points.UpperBound(to);
        double minimum = HUGE_VAL, maximum = -HUGE_VAL, sum = 0;
        size_t n = 0;
        points.ForEachY(first, end, [&](double y) {
            if (OvGraphFileLib::IsNoData(y)) return;
            minimum = std::min(minimum, y);
            maximum = std::max(maximum, y);
            sum += y;
            ++n;
        });
        if (n > 0) {
            const double mean = sum / double(n);
            row.minimum = channel->FormatValue(minimum);
            row.maximum = channel->FormatValue(maximum);
            row.mean = channel->FormatValue(mean);
            double squares = 0;  // about the mean, a second pass: exact for close values
            points.ForEachY(first, end, [&](double y) {
                if (!OvGraphFileLib::IsNoData(y)) squares += (y - mean) * (y - mean);
            });
            if (n > 1) row.deviation = channel->FormatValue(std::sqrt(squares / double(n - 1)));
        }
        readout.rows.push_back(row);
    }
    return readout;
}

QString AxisCursorReadout::ToText() const
{
    QStringList lines{
        QCoreApplication::translate("AxisCursorReadout", "\tA\tB\tB-A\t最小\t最大\t平均\t標準偏差"),
        QStringList{QCoreApplication::translate("AxisCursorReadout", "時刻"), timeA, timeB, timeDifference}
            .join(QLatin1Char('\t'))};
    for (const Row& row : rows)
        lines << QStringList{row.name,    row.atA,     row.atB,  row.difference,
                             row.minimum, row.maximum, row.mean, row.deviation}
                     .join(QLatin1Char('\t'));
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

}  // namespace ovgApp
