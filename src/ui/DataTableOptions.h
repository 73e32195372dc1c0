#pragma once

#include <QSettings>

namespace ovgUi {

// What the data table shows besides times and values. Stored in the per-user settings, section
// "Settings/DataTable": "MarkOutOfLimits" and "UnitInHeader", integers 0 or 1, both 1 by default.
struct DataTableOptions {
    // Values above a channel's upper limit or below its lower limit are coloured.
    bool markOutOfLimits = true;
    // The value column's header ends with the unit in brackets.
    bool unitInHeader = true;

    // A value absent or not a number reads as the default.
    static DataTableOptions Load(const QSettings& settings);
    static DataTableOptions Load();
    void Save(QSettings& settings) const;
    void Save() const;

    bool operator==(const DataTableOptions&) const = default;
};

}  // namespace ovgUi
