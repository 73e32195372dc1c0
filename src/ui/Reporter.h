#pragma once

#include <QString>
#include <cstdio>
#include <vector>

#include "ui/DlgLoadFilesError.h"

class QWidget;

namespace ovgUi {

// Where the window's messages go. The window hands every message to its reporter instead of
// opening message boxes itself, so that a run without a user (the screenshot mode) can write them
// to a stream and never wait. Called on the user-interface thread.
class Reporter {
public:
    virtual ~Reporter() = default;
    // The files of one load that did not load, in file order (never empty).
    virtual void LoadFailures(QWidget* parent, const std::vector<DlgLoadFilesError::Failure>& failures) = 0;
    // Any other message the user must see.
    virtual void Warning(QWidget* parent, const QString& text) = 0;
    // A question answered with yes or no (and cancel when asked for): QMessageBox::Yes, No or Cancel.
    virtual int Question(QWidget* parent, const QString& text, bool withCancel) = 0;
};

// For a user at the window: the failed files in a DlgLoadFilesError that stays open beside the
// window (it does not wait), a warning in a message box (it waits for the user).
class DialogReporter : public Reporter {
public:
    void LoadFailures(QWidget* parent, const std::vector<DlgLoadFilesError::Failure>& failures) override;
    void Warning(QWidget* parent, const QString& text) override;
    int Question(QWidget* parent, const QString& text, bool withCancel) override;
};

// For a run without a user: one UTF-8 line per message on the stream (not owned, left open),
// "PREFIX: PATH: MESSAGE" per failed file and "PREFIX: MESSAGE" otherwise. Never waits: a
// question is written and answered no, which changes nothing and saves nothing.
class StreamReporter : public Reporter {
public:
    StreamReporter(std::FILE* stream, QString prefix);

    void LoadFailures(QWidget* parent, const std::vector<DlgLoadFilesError::Failure>& failures) override;
    void Warning(QWidget* parent, const QString& text) override;
    int Question(QWidget* parent, const QString& text, bool withCancel) override;

    // How many failed files and other messages were written.
    int FailedFileCount() const { return m_failedFiles; }
    int WarningCount() const { return m_warnings; }

private:
    void WriteLine(const QString& text);

    std::FILE* m_stream;
    QString m_prefix;
    int m_failedFiles = 0;
    int m_warnings = 0;
};

}  // namespace ovgUi
