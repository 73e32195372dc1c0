#pragma once

#include <QDialog>

class QCheckBox;
class QPlainTextEdit;

namespace ovgUi {

// Help ▸ デバッグ: the debug log's switch and its recent lines, which can be copied for a report.
class DlgDebug : public QDialog {
    Q_OBJECT
public:
    explicit DlgDebug(QWidget* parent = nullptr);
    QCheckBox* Switch() const { return m_switch; }
    QPlainTextEdit* Lines() const { return m_lines; }
    void ShowLines();

private:
    QCheckBox* m_switch;
    QPlainTextEdit* m_lines;
};

}  // namespace ovgUi
