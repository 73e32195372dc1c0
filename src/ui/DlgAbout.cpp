#include "ui/DlgAbout.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include "App/AppInfo.h"
#include "net/RequestUpdateInfo.h"

namespace ovgUi {
namespace {

constexpr int kPollMs = 50;

ovgNet::ProxySettings UserProxy()
{
    ovgNet::ProxySettings proxy;
    proxy.Load(QSettings());
    return proxy;
}

// Only web pages are offered as links: the answer comes from the network.
bool IsWebPage(const QString& url)
{
    const QUrl parsed(url, QUrl::StrictMode);
    return parsed.isValid() &&
           (parsed.scheme() == QLatin1String("https") || parsed.scheme() == QLatin1String("http"));
}

}  // namespace

DlgAbout::DlgAbout(QWidget* parent)
    : DlgAbout(ovgNet::UpdateServerConfig::LoadInstalled(), UserProxy(), parent)
{
}

DlgAbout::DlgAbout(ovgNet::UpdateServerConfig config, ovgNet::ProxySettings proxy, QWidget* parent)
    : QDialog(parent),
      m_config(std::move(config)),
      m_request(new ovgNet::RequestUpdateInfo(this)),
      m_poll(new QTimer(this))
{
    setWindowTitle(QCoreApplication::translate("DlgAbout", "バージョン情報"));
    m_request->SetProxy(proxy);
    m_poll->setInterval(kPollMs);
    connect(m_poll, &QTimer::timeout, this, &DlgAbout::Poll);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(ovgApp::AppInfo::Name(), this));
    layout->addWidget(new QLabel(QCoreApplication::translate("DlgAbout", "バージョン ") + ovgApp::AppInfo::VersionText(), this));
    m_check = new QPushButton(QCoreApplication::translate("DlgAbout", "アップデート情報を確認"), this);
    connect(m_check, &QPushButton::clicked, this, &DlgAbout::StartCheck);
    layout->addWidget(m_check);
    m_status = new QLabel(this);
    layout->addWidget(m_status);
    m_link = new QLabel(this);
    m_link->setTextFormat(Qt::RichText);
    m_link->setOpenExternalLinks(true);
    m_link->setTextInteractionFlags(Qt::TextBrowserInteraction);
    m_link->hide();
    layout->addWidget(m_link);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

void DlgAbout::StartCheck()
{
    if (m_request->IsRunning()) return;
    m_check->setEnabled(false);
    m_link->hide();
    m_link->clear();
    m_status->setText(QCoreApplication::translate("DlgAbout", "アップデート情報を確認しています。"));
    m_request->Start(m_config, nullptr);
    m_poll->start();
}

void DlgAbout::Poll()
{
    if (m_request->IsRunning()) return;
    m_poll->stop();
    m_check->setEnabled(true);
    ShowOutcome();
}

void DlgAbout::ShowOutcome()
{
    if (!m_request->IsSuccess()) {
        m_status->setText(QCoreApplication::translate("DlgAbout", "アップデート情報の取得に失敗しました。"));
        return;
    }
    const ovgNet::UpdateAnswer& answer = m_request->GetAnswer();
    if (!answer.hasNewerVersion) {
        m_status->setText(QCoreApplication::translate("DlgAbout", "最新のアプリケーションです。"));
        return;
    }
    m_status->setText(QCoreApplication::translate("DlgAbout", "新しいバージョンのアプリケーションが見つかりました。"));
    const QString& url = answer.downloadInformationURL;
    if (!IsWebPage(url)) return;
    const QString escaped = url.toHtmlEscaped();
    m_link->setText(QStringLiteral("<a href=\"%1\">%1</a>").arg(escaped));
    m_link->setToolTip(url);
    m_link->show();
}

}  // namespace ovgUi
