#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace ovgApp {

// The open-file dialog's choices for loading files, as data: the window builds its dialog from
// them (multiple selection), the tests check them.
class FileUILoadFile {
public:
    struct Filter {
        QString label;
        QStringList patterns;  // "*.kmv"
    };

    // In order: all data files (the union of every following pattern except "*.*"), the graph
    // document, the logger formats, all files.
    static std::vector<Filter> Filters();
    // The same as name filters for a Qt file dialog: "label (*.a *.b)".
    static QStringList NameFilters();
};

}  // namespace ovgApp
