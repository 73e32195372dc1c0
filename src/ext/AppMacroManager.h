#pragma once

#include <QString>
#include <QStringList>
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>

class QJSEngine;

namespace ovgApp {

class AppMacroCallbacks;

// Runs the user's macro scripts (JavaScript, ".js" files). Every run gets a fresh engine bound to
// the callbacks, so nothing one script defines reaches the next; the callbacks make the run one
// undo step. Scripts see only the `app` object and `console`: no file or network access of their
// own. A script that runs longer than the time limit is interrupted and reported like one that
// fails. User-interface thread only.
class AppMacroManager {
public:
    // What went wrong in a run: the engine's message, the script line and the text of that line.
    struct Error {
        QString message;
        int line = 0;
        QString detail;
    };

    static constexpr std::chrono::milliseconds kDefaultTimeLimit{5000};

    // `macroFolder` holds the user's macros; its subfolder "サンプル" the sample macros. Reads the
    // execution count from the settings.
    AppMacroManager(std::shared_ptr<AppMacroCallbacks> callbacks, QString macroFolder);
    // Writes the execution count back.
    ~AppMacroManager();
    AppMacroManager(const AppMacroManager&) = delete;
    AppMacroManager& operator=(const AppMacroManager&) = delete;

    const QString& GetMacroFolder() const { return m_macroFolder; }
    QString GetSampleFolder() const;
    // Lists the ".js" files (the extension compared exactly) of the macro folder, or of the
    // sample folder, in listing order (by name).
    static QStringList ListMacroFiles(const QString& folder);
    // Puts the bundled sample macros into the sample folder, leaving files already there alone.
    // Returns false when the folder cannot be made.
    bool InstallSamples() const;

    // Runs one script file to its end, an error or the time limit. Returns the error, if any;
    // what the script did before an error stays, as one undo step.
    std::optional<Error> RunFile(const QString& path);
    int64_t GetExecutionCount() const { return m_executionCount; }
    void SetTimeLimit(std::chrono::milliseconds limit) { m_timeLimit = limit; }

    // The text of the error box: the message, the folder, file and line of the script.
    static QString ErrorText(const QString& path, const Error& error);

private:
    std::shared_ptr<AppMacroCallbacks> m_callbacks;
    QString m_macroFolder;
    int64_t m_executionCount = 0;
    std::chrono::milliseconds m_timeLimit = kDefaultTimeLimit;
    std::unique_ptr<QJSEngine> m_engine;
};

}  // namespace ovgApp
