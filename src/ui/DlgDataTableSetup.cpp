#include "ui/DlgDataTableSetup.h"

#include <QCoreApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QVBoxLayout>

namespace ovgUi {

DlgDataTableSetup::DlgDataTableSetup(const DataTableOptions& options, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QCoreApplication::translate("DlgDataTableSetup", "データ一覧の設定"));
    auto* layout = new QVBoxLayout(this);
    m_markOutOfLimits = new QCheckBox(QCoreApplication::translate("DlgDataTableSetup", "上下限値を超えた値を色で示す"), this);
    m_markOutOfLimits->setObjectName(QStringLiteral("markOutOfLimits"));
    m_markOutOfLimits->setChecked(options.markOutOfLimits);
    m_unitInHeader = new QCheckBox(QCoreApplication::translate("DlgDataTableSetup", "見出しに単位を表示する"), this);
    m_unitInHeader->setObjectName(QStringLiteral("unitInHeader"));
    m_unitInHeader->setChecked(options.unitInHeader);
    layout->addWidget(m_markOutOfLimits);
    layout->addWidget(m_unitInHeader);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

DataTableOptions DlgDataTableSetup::Options() const
{
    DataTableOptions options;
    options.markOutOfLimits = m_markOutOfLimits->isChecked();
    options.unitInHeader = m_unitInHeader->isChecked();
    return options;
}

}  // namespace ovgUi
