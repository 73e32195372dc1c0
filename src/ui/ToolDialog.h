#pragma once

#include <QDialog>
#include <functional>
#include <memory>

#include "Cmd/AppContext.h"
#include "Cmd/McrChData.h"

class QDateTimeEdit;
class QDialogButtonBox;
class QLabel;
class QListWidget;
class QPushButton;
class QVBoxLayout;

namespace orvel {
class Cmd;
}

namespace ovgUi {

// Executes and records a command in the window's history, then refreshes the window.
using Recorder = std::function<void(std::shared_ptr<orvel::Cmd>)>;

// The frame of the tool dialogs: the tool's controls, a line that says what is wrong with the
// input, and the run and close buttons. Run validates, records and returns whether the dialog
// may close; on a refusal it calls Fail and nothing is changed.
class ToolDialog : public QDialog {
    Q_OBJECT
public:
    ToolDialog(const QString& title, const QString& runText, ovgApp::AppContext context, Recorder record, QWidget* parent);

    // The text the dialog shows for refused input (tests read it).
    QString ErrorText() const;
    // Presses the run button (tests, macros).
    void Run();

protected:
    virtual bool OnRun() = 0;
    void Fail(const QString& text);
    QVBoxLayout* Body() const { return m_body; }
    QPushButton* RunButton() const { return m_run; }

    ovgApp::AppContext m_context;
    Recorder m_record;

private:
    QVBoxLayout* m_body;
    QLabel* m_error;
    QPushButton* m_run;
};

// A list of the document's channels with check boxes: "No.n name".
class ChannelChecklist {
public:
    ChannelChecklist(const ovgApp::AppDocument& document, const ovgApp::AppChList& checked, QWidget* parent);
    QListWidget* Widget() const { return m_list; }
    ovgApp::AppChList Checked() const;

private:
    ovgApp::AppChList m_channels;
    QListWidget* m_list;
};

// A date-time field for the logger's local time as the graph shows it (seconds since 1970).
QDateTimeEdit* LocalTimeEdit(double seconds, QWidget* parent);
double LocalSecondsOf(const QDateTimeEdit& edit);

}  // namespace ovgUi
