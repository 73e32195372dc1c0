#pragma once

#include <QDialog>
#include <memory>

#include "App/PrmScaleExpr.h"

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace ovgUi {

// Enters one scale conversion expression: by two points or by slope and intercept, with name,
// unit, significant figures and scientific notation. OK computes the coefficients and refuses an
// entry they cannot be computed from, showing why; the dialog then stays open.
class DlgScaleExprInput : public QDialog {
    Q_OBJECT
public:
    // Edits a copy of `expr`; the given object is never changed.
    DlgScaleExprInput(const ovgApp::PrmScaleExpr& expr, QWidget* parent = nullptr);

    // The accepted entry as a new object with computed coefficients (the flags deletable,
    // editable and applied as given); null until the dialog has been accepted.
    std::shared_ptr<ovgApp::PrmScaleExpr> Result() const { return m_result; }
    // The message of the last refusal, empty when none.
    QString ErrorText() const;

    void accept() override;

private:
    void EnableFields();
    // The given entry with the texts and choices of the fields.
    ovgApp::PrmScaleExpr Entry() const;

    ovgApp::PrmScaleExpr m_expr;
    std::shared_ptr<ovgApp::PrmScaleExpr> m_result;
    QButtonGroup* m_mode;
    QLineEdit* m_slope;
    QLineEdit* m_intercept;
    QLineEdit* m_x1;
    QLineEdit* m_y1;
    QLineEdit* m_x2;
    QLineEdit* m_y2;
    QLineEdit* m_name;
    QLineEdit* m_unit;
    QSpinBox* m_figures;
    QCheckBox* m_scientific;
    QLabel* m_error;
};

}  // namespace ovgUi
