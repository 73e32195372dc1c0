#include "ui/DlgUpdateFirstRun.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

#include "App/AppInfo.h"

namespace ovgUi {

DlgUpdateFirstRun::DlgUpdateFirstRun(bool checked, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(ovgApp::AppInfo::Name());
    auto* layout = new QVBoxLayout(this);
    auto* text =
        new QLabel(QCoreApplication::translate(
                       "DlgUpdateFirstRun",
                       "アプリケーションの起動時に、新しいバージョンがあるかどうかのアップデート情報を"
                       "確認できるようになりました。\n"
                       "確認は1日に1回まで行います。この設定はヘルプメニューからいつでも変更できます。"),
                   this);
    text->setWordWrap(true);
    layout->addWidget(text);
    m_autoRecv =
        new QCheckBox(QCoreApplication::translate("DlgUpdateFirstRun",
                                                  "アプリケーション起動時にアップデート情報を確認する。"),
                      this);
    m_autoRecv->setChecked(checked);
    layout->addWidget(m_autoRecv);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

bool DlgUpdateFirstRun::Ask(QWidget* parent, bool checked)
{
    DlgUpdateFirstRun dialog(checked, parent);
    dialog.exec();
    return dialog.AutoRecv()->isChecked();
}

}  // namespace ovgUi
