#pragma once

#include <QString>
#include <vector>

namespace ovgApp {

class AppDateInfo;
class AppDocument;

// What the axis-cursor pane shows for the two time cursors A and B (the logger's local time in
// seconds, as the graph's x): both times and their difference, and per channel of the document its
// value at A and at B (the last sample at or before each), B - A, and the minimum, maximum, mean
// and standard deviation (of a sample, n - 1) of its valid values between the cursors. Texts are
// empty where there is nothing to show.
struct AxisCursorReadout {
    struct Row {
        QString name;
        QString atA, atB, difference, minimum, maximum, mean, deviation;
    };
    QString timeA, timeB, timeDifference;
    std::vector<Row> rows;

    static AxisCursorReadout Read(const AppDocument& document, double timeA, double timeB, const AppDateInfo& dateInfo);
    // Header line and one line per row, tab-separated, for the clipboard.
    QString ToText() const;
};

}  // namespace ovgApp
