#include "ui/DlgDebug.h"

#include <QCoreApplication>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "App/AppDebugLog.h"

namespace ovgUi {

DlgDebug::DlgDebug(QWidget* parent)
    : QDialog(parent), m_switch(new QCheckBox(QCoreApplication::translate("DlgDebug", "デバッグログを記録する(&L)"), this)), m_lines(new QPlainTextEdit(this))
{
    setObjectName(QStringLiteral("DlgDebug"));
    setWindowTitle(QCoreApplication::translate("DlgDebug", "デバッグ"));
    resize(640, 400);
    m_switch->setChecked(ovgApp::AppDebugLog::IsEnabled());
    connect(m_switch, &QCheckBox::toggled, this, [this](bool on) {
        ovgApp::AppDebugLog::SetEnabled(on);
        ShowLines();
    });
    m_lines->setReadOnly(true);
    m_lines->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->addButton(QCoreApplication::translate("DlgDebug", "更新(&R)"), QDialogButtonBox::ActionRole)->setObjectName(QStringLiteral("Refresh"));
    connect(buttons->findChild<QPushButton*>(QStringLiteral("Refresh")), &QPushButton::clicked, this, &DlgDebug::ShowLines);
    connect(buttons->addButton(QCoreApplication::translate("DlgDebug", "コピー(&C)"), QDialogButtonBox::ActionRole), &QPushButton::clicked, this,
            [this] { QApplication::clipboard()->setText(m_lines->toPlainText()); });
    connect(buttons->addButton(QCoreApplication::translate("DlgDebug", "消去(&E)"), QDialogButtonBox::ActionRole), &QPushButton::clicked, this, [this] {
        ovgApp::AppDebugLog::Clear();
        ShowLines();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_switch);
    layout->addWidget(m_lines, 1);
    layout->addWidget(buttons);
    ShowLines();
}

void DlgDebug::ShowLines() { m_lines->setPlainText(ovgApp::AppDebugLog::RecentLines().join(QLatin1Char('\n'))); }

}  // namespace ovgUi
