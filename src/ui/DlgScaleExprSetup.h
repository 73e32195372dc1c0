#pragma once

#include <QDialog>
#include <memory>
#include <vector>

#include "App/PrmScaleExpr.h"

class QPushButton;
class QTreeWidget;

namespace ovgUi {

// "スケール変換式の設定": the user's list of scale conversion expressions with add, edit, delete
// and moving an entry up or down. Works on a copy of the list: an edited entry is replaced by a
// new object and no given object is ever changed, because the undo history keeps the old list.
// Only collects the new list; the caller records the command that puts it in force.
class DlgScaleExprSetup : public QDialog {
    Q_OBJECT
public:
    using ExprList = std::vector<std::shared_ptr<ovgApp::PrmScaleExpr>>;

    DlgScaleExprSetup(ExprList list, QWidget* parent = nullptr);

    // The list as edited.
    ExprList List() const { return m_list; }
    // Whether the list holds other objects or another order than the one given.
    bool Changed() const { return m_list != m_given; }

    // The line "y = 6.25x - 25" from the display texts of the coefficients.
    static QString LineText(const ovgApp::PrmScaleExpr& expr);

    // The actions of the buttons, on the current row.
    void Add();
    void Edit();
    void Delete();
    void Move(int step);

private:
    void ShowList(int current);
    void EnableButtons();
    int CurrentRow() const;

    ExprList m_given;
    ExprList m_list;
    QTreeWidget* m_table;
    QPushButton* m_add;
    QPushButton* m_edit;
    QPushButton* m_delete;
    QPushButton* m_up;
    QPushButton* m_down;
};

}  // namespace ovgUi
