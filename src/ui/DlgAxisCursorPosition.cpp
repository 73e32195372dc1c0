#include "ui/DlgAxisCursorPosition.h"

#include <QCoreApplication>
#include <QDateTimeEdit>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "Cmd/McrGraphCmds.h"
#include "graph/Axis.h"
#include "graph/AxisCursor.h"

namespace ovgUi {

DlgAxisCursorPosition::DlgAxisCursorPosition(ovgApp::AppContext context, Recorder record, std::shared_ptr<ovgGraph::Axis> axis,
                                             QWidget* parent)
    : ToolDialog(QCoreApplication::translate("DlgAxisCursorPosition", "カーソルの位置を指定"), QStringLiteral("OK"), context, std::move(record), parent), m_axis(std::move(axis))
{
    setObjectName(QStringLiteral("DlgAxisCursorPosition"));
    auto* form = new QFormLayout;
    const ovgGraph::AxisCursor& cursor = m_axis->GetCursor();
    if (m_axis->IsVertical()) {
        m_value1 = new QLineEdit(QString::number(cursor.GetCursor1(), 'g', 12), this);
        m_value2 = new QLineEdit(QString::number(cursor.GetCursor2(), 'g', 12), this);
        form->addRow(QCoreApplication::translate("DlgAxisCursorPosition", "カーソルA:"), m_value1);
        form->addRow(QCoreApplication::translate("DlgAxisCursorPosition", "カーソルB:"), m_value2);
    } else {
        m_time1 = LocalTimeEdit(cursor.GetCursor1(), this);
        m_time2 = LocalTimeEdit(cursor.GetCursor2(), this);
        form->addRow(QCoreApplication::translate("DlgAxisCursorPosition", "カーソルA:"), m_time1);
        form->addRow(QCoreApplication::translate("DlgAxisCursorPosition", "カーソルB:"), m_time2);
    }
    Body()->addLayout(form);
}

bool DlgAxisCursorPosition::OnRun()
{
    double a = 0, b = 0;
    if (m_value1) {
        bool okA = false, okB = false;
        a = m_value1->text().trimmed().toDouble(&okA);
        b = m_value2->text().trimmed().toDouble(&okB);
        if (!okA || !okB) {
            Fail(QCoreApplication::translate("DlgAxisCursorPosition", "数値を入力してください。"));
            return false;
        }
    } else {
        a = LocalSecondsOf(*m_time1);
        b = LocalSecondsOf(*m_time2);
    }
    const double lo = std::min(m_axis->GetRangeMin(), m_axis->GetRangeMax()), hi = std::max(m_axis->GetRangeMin(), m_axis->GetRangeMax());
    if (a < lo || a > hi || b < lo || b > hi) {
        Fail(QCoreApplication::translate("DlgAxisCursorPosition", "カーソルの位置は軸の範囲内で指定してください。"));
        return false;
    }
    m_record(std::make_shared<ovgApp::McrAxisCursorSetValue>(m_context, m_axis, a, b));
    return true;
}

}  // namespace ovgUi
