#include "ui/DlgScaleExprInput.h"

#include <QCoreApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace ovgUi {
namespace {

using ovgApp::PrmScaleExpr;

QLineEdit* MakeEdit(const QString& text, const char* objectName, QWidget* parent)
{
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(QString::fromLatin1(objectName));
    return edit;
}

}  // namespace

DlgScaleExprInput::DlgScaleExprInput(const PrmScaleExpr& expr, QWidget* parent)
    : QDialog(parent), m_expr(expr)
{
    setWindowTitle(QCoreApplication::translate("DlgScaleExprInput", "スケール変換式の入力"));
    auto* layout = new QVBoxLayout(this);

    auto* modeBox = new QGroupBox(QCoreApplication::translate("DlgScaleExprInput", "入力方法"), this);
    auto* modeLayout = new QGridLayout(modeBox);
    m_mode = new QButtonGroup(this);
    auto* slopeMode = new QRadioButton(QCoreApplication::translate("DlgScaleExprInput", "傾きと切片"), modeBox);
    slopeMode->setObjectName(QStringLiteral("modeSlopeIntercept"));
    auto* pointsMode = new QRadioButton(QCoreApplication::translate("DlgScaleExprInput", "２点の座標"), modeBox);
    pointsMode->setObjectName(QStringLiteral("modeTwoPoints"));
    m_mode->addButton(slopeMode, PrmScaleExpr::kInputSlopeIntercept);
    m_mode->addButton(pointsMode, PrmScaleExpr::kInputTwoPoints);

    m_slope = MakeEdit(expr.GetInputSlope(), "slope", modeBox);
    m_intercept = MakeEdit(expr.GetInputIntercept(), "intercept", modeBox);
    m_x1 = MakeEdit(expr.GetInputX1(), "x1", modeBox);
    m_y1 = MakeEdit(expr.GetInputY1(), "y1", modeBox);
    m_x2 = MakeEdit(expr.GetInputX2(), "x2", modeBox);
    m_y2 = MakeEdit(expr.GetInputY2(), "y2", modeBox);
    modeLayout->addWidget(slopeMode, 0, 0, 1, 4);
    modeLayout->addWidget(new QLabel(QCoreApplication::translate("DlgScaleExprInput", "傾き"), modeBox), 1, 0);
    modeLayout->addWidget(m_slope, 1, 1);
    modeLayout->addWidget(new QLabel(QCoreApplication::translate("DlgScaleExprInput", "切片"), modeBox), 1, 2);
    modeLayout->addWidget(m_intercept, 1, 3);
    modeLayout->addWidget(pointsMode, 2, 0, 1, 4);
    modeLayout->addWidget(new QLabel(QStringLiteral("x1"), modeBox), 3, 0);
    modeLayout->addWidget(m_x1, 3, 1);
    modeLayout->addWidget(new QLabel(QStringLiteral("y1"), modeBox), 3, 2);
    modeLayout->addWidget(m_y1, 3, 3);
    modeLayout->addWidget(new QLabel(QStringLiteral("x2"), modeBox), 4, 0);
    modeLayout->addWidget(m_x2, 4, 1);
    modeLayout->addWidget(new QLabel(QStringLiteral("y2"), modeBox), 4, 2);
    modeLayout->addWidget(m_y2, 4, 3);
    layout->addWidget(modeBox);

    auto* form = new QFormLayout;
    m_name = MakeEdit(expr.GetName(), "name", this);
    m_unit = MakeEdit(expr.GetUnit(), "unit", this);
    m_figures = new QSpinBox(this);
    m_figures->setObjectName(QStringLiteral("significantFigures"));
    m_figures->setRange(PrmScaleExpr::kMinSignificantFigures, PrmScaleExpr::kMaxSignificantFigures);
    m_figures->setValue(expr.GetSignificantFigures());
    m_scientific = new QCheckBox(QCoreApplication::translate("DlgScaleExprInput", "指数表記で表示する"), this);
    m_scientific->setObjectName(QStringLiteral("scientificNotation"));
    m_scientific->setChecked(expr.GetScientificNotation());
    form->addRow(QCoreApplication::translate("DlgScaleExprInput", "名前"), m_name);
    form->addRow(QCoreApplication::translate("DlgScaleExprInput", "単位"), m_unit);
    form->addRow(QCoreApplication::translate("DlgScaleExprInput", "有効桁数"), m_figures);
    form->addRow(QString(), m_scientific);
    layout->addLayout(form);

    m_error = new QLabel(this);
    m_error->setObjectName(QStringLiteral("error"));
    m_error->setStyleSheet(QStringLiteral("color: red"));
    m_error->hide();
    layout->addWidget(m_error);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &DlgScaleExprInput::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    (expr.IsTwoPointInput() ? pointsMode : slopeMode)->setChecked(true);
    connect(m_mode, &QButtonGroup::idToggled, this, [this] { EnableFields(); });
    EnableFields();
}

QString DlgScaleExprInput::ErrorText() const
{
    return m_error->text();
}

void DlgScaleExprInput::EnableFields()
{
    const bool twoPoints = m_mode->checkedId() == PrmScaleExpr::kInputTwoPoints;
    for (QLineEdit* edit : {m_slope, m_intercept}) edit->setEnabled(!twoPoints);
    for (QLineEdit* edit : {m_x1, m_y1, m_x2, m_y2}) edit->setEnabled(twoPoints);
}

PrmScaleExpr DlgScaleExprInput::Entry() const
{
    PrmScaleExpr entry = m_expr;
    if (m_mode->checkedId() == PrmScaleExpr::kInputTwoPoints)
        entry.SetInputMode(PrmScaleExpr::kInputTwoPoints);
    else if (entry.IsTwoPointInput())
        entry.SetInputMode(PrmScaleExpr::kInputSlopeIntercept);  // any other stored mode number is kept
    entry.SetInputSlope(m_slope->text());
    entry.SetInputIntercept(m_intercept->text());
    entry.SetInputX1(m_x1->text());
    entry.SetInputY1(m_y1->text());
    entry.SetInputX2(m_x2->text());
    entry.SetInputY2(m_y2->text());
    entry.SetName(m_name->text());
    entry.SetUnit(m_unit->text());
    entry.SetSignificantFigures(m_figures->value());
    entry.SetScientificNotation(m_scientific->isChecked());
    return entry;
}

void DlgScaleExprInput::accept()
{
    PrmScaleExpr entry = Entry();
    const int code = entry.ComputeCoefficients();
    if (code != PrmScaleExpr::kOk) {
        m_error->setText(PrmScaleExpr::ErrorText(code));
        m_error->show();
        // Put the cursor where the fault is.
        QLineEdit* culprit = code == PrmScaleExpr::kSlopeNotNumber       ? m_slope
                             : code == PrmScaleExpr::kInterceptNotNumber ? m_intercept
                             : code == PrmScaleExpr::kX1NotNumber        ? m_x1
                             : code == PrmScaleExpr::kY1NotNumber        ? m_y1
                             : code == PrmScaleExpr::kY2NotNumber        ? m_y2
                             : code == PrmScaleExpr::kNotFinite          ? nullptr
                                                                         : m_x2;
        if (culprit) culprit->setFocus();
        return;
    }
    m_error->clear();
    m_error->hide();
    m_result = std::make_shared<PrmScaleExpr>(std::move(entry));
    QDialog::accept();
}

}  // namespace ovgUi
