#pragma once

#include <QDialog>

class QCheckBox;

namespace ovgUi {

// The first-run question of the update check: tells that the program can look for update
// information at start-up and lets the user choose it with one check box.
class DlgUpdateFirstRun : public QDialog {
    Q_OBJECT
public:
    DlgUpdateFirstRun(bool checked, QWidget* parent);
    QCheckBox* AutoRecv() const { return m_autoRecv; }

    // Shows the dialog and waits; the check box's state when it is closed (however it is closed).
    static bool Ask(QWidget* parent, bool checked);

private:
    QCheckBox* m_autoRecv;
};

}  // namespace ovgUi
