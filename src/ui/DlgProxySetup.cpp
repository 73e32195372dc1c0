#include "ui/DlgProxySetup.h"

#include <QCoreApplication>
#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QVBoxLayout>

#include "net/ProxySettings.h"
#include "ui/Reporter.h"

namespace ovgUi {

DlgProxySetup::DlgProxySetup(QSettings& settings, Reporter& reporter, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_reporter(reporter)
{
    setWindowTitle(QCoreApplication::translate("DlgProxySetup", "プロキシサーバの設定"));
    ovgNet::ProxySettings proxy;
    proxy.Load(settings);

    auto* layout = new QVBoxLayout(this);
    auto* choice = new QButtonGroup(this);
    m_automatic = new QRadioButton(QCoreApplication::translate("DlgProxySetup", "自動"), this);
    m_useProxy = new QRadioButton(QCoreApplication::translate("DlgProxySetup", "プロキシサーバを使用する"), this);
    choice->addButton(m_automatic);
    choice->addButton(m_useProxy);
    layout->addWidget(m_automatic);
    layout->addWidget(m_useProxy);

    auto* form = new QFormLayout;
    m_address = new QLineEdit(proxy.addr, this);
    m_port = new QSpinBox(this);
    m_port->setRange(1, 65535);
    m_port->setValue(proxy.port);
    form->addRow(QCoreApplication::translate("DlgProxySetup", "アドレス"), m_address);
    form->addRow(QCoreApplication::translate("DlgProxySetup", "ポート"), m_port);
    layout->addLayout(form);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &DlgProxySetup::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &DlgProxySetup::reject);
    layout->addWidget(buttons);

    (proxy.type == ovgNet::ProxySettings::kManual ? m_useProxy : m_automatic)->setChecked(true);
    connect(m_useProxy, &QRadioButton::toggled, this, &DlgProxySetup::EnableFields);
    EnableFields();
}

void DlgProxySetup::EnableFields()
{
    m_address->setEnabled(m_useProxy->isChecked());
    m_port->setEnabled(m_useProxy->isChecked());
}

void DlgProxySetup::accept()
{
    ovgNet::ProxySettings proxy;
    proxy.type = m_useProxy->isChecked() ? ovgNet::ProxySettings::kManual : ovgNet::ProxySettings::kAutomatic;
    proxy.addr = m_address->text().trimmed();
    proxy.port = m_port->value();
    if (proxy.type == ovgNet::ProxySettings::kManual && proxy.addr.isEmpty()) {
        m_reporter.Warning(this, QCoreApplication::translate("DlgProxySetup", "プロキシサーバのアドレスを入力してください。"));
        m_address->setFocus();
        return;
    }
    proxy.Save(m_settings);
    QDialog::accept();
}

}  // namespace ovgUi
