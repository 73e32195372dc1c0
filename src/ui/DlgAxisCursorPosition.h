#pragma once

#include <memory>

#include "ui/ToolDialog.h"

class QDateTimeEdit;
class QLineEdit;

namespace ovgGraph {
class Axis;
}

namespace ovgUi {

// Places an axis's two cursors by value: dates and times on a time axis, numbers on a value
// axis; each cursor must lie in the axis's range. One step for both.
class DlgAxisCursorPosition : public ToolDialog {
    Q_OBJECT
public:
    DlgAxisCursorPosition(ovgApp::AppContext context, Recorder record, std::shared_ptr<ovgGraph::Axis> axis, QWidget* parent);
    // The fields of a value axis (tests).
    QLineEdit* ValueField(int cursor) const { return cursor == 1 ? m_value1 : m_value2; }
    QDateTimeEdit* TimeField(int cursor) const { return cursor == 1 ? m_time1 : m_time2; }

protected:
    bool OnRun() override;

private:
    std::shared_ptr<ovgGraph::Axis> m_axis;
    QDateTimeEdit* m_time1 = nullptr;
    QDateTimeEdit* m_time2 = nullptr;
    QLineEdit* m_value1 = nullptr;
    QLineEdit* m_value2 = nullptr;
};

}  // namespace ovgUi
