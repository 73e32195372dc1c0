#pragma once

#include <QString>
#include <QStringList>

namespace ovgApp {

// The program's debug log: while it is on, every message the program writes through Qt's
// logging is kept (the most recent kKeptLines, with the time) besides going where it went
// before. The switch is the setting "Settings/Debug/Log". Messages may come from any thread.
class AppDebugLog {
public:
    static constexpr int kKeptLines = 500;

    // Starts or stops keeping messages and remembers the choice.
    static void SetEnabled(bool on);
    static bool IsEnabled();
    // Applies the remembered choice (at start-up).
    static void Restore();
    static QStringList RecentLines();
    static void Clear();
};

}  // namespace ovgApp
