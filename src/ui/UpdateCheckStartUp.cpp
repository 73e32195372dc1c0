#include "ui/UpdateCheckStartUp.h"

#include <QDateTime>
#include <QSettings>
#include <QWidget>

#include "net/AppRecvUpdateInfo.h"
#include "net/RequestUpdateInfo.h"
#include "net/UpdateServerConfig.h"
#include "net/UpdateStartUp.h"
#include "ui/DlgUpdateFirstRun.h"

namespace ovgUi {
namespace {

// Keeps the listener and the request together for one start-up check and goes when it ends.
class StartUpCheck : public QObject {
public:
    explicit StartUpCheck(QObject* parent) : QObject(parent), m_request(new ovgNet::RequestUpdateInfo(this))
    {
        ovgNet::ProxySettings proxy;
        proxy.Load(QSettings());
        m_request->SetProxy(proxy);
        connect(m_request, &ovgNet::RequestUpdateInfo::finished, this, &QObject::deleteLater);
    }
    // The request goes first: it must not outlive the listener it would tell.
    ~StartUpCheck() override { delete m_request; }

    ovgNet::AppRecvUpdateInfo& Info() { return m_info; }
    ovgNet::RequestUpdateInfo& Request() { return *m_request; }

private:
    ovgNet::AppRecvUpdateInfo m_info;
    ovgNet::RequestUpdateInfo* m_request;
};

}  // namespace

void StartUpdateCheckAtStartUp(QWidget* window)
{
    // Without a configured server the question is still asked once, and the check ends silently.
    const ovgNet::UpdateServerConfig config = ovgNet::UpdateServerConfig::LoadInstalled();
    auto* check = new StartUpCheck(window);
    const auto ask = [window](bool checked) { return DlgUpdateFirstRun::Ask(window, checked); };
    const ovgNet::StartUpOutcome outcome = ovgNet::RunStartUpSequence(
        check->Info(), check->Request(), config, ask, QDateTime::currentSecsSinceEpoch());
    if (outcome != ovgNet::StartUpOutcome::kStarted) delete check;
}

bool IsUpdateCheckAtStartUpOn()
{
    ovgNet::AppRecvUpdateInfo info;
    info.Load();
    return info.IsAutoRecv();
}

void SetUpdateCheckAtStartUp(bool on)
{
    ovgNet::AppRecvUpdateInfo info;
    info.Load();
    info.SetConfirmedAutoRecv(true);
    info.SetAutoRecv(on);
    info.Save();
}

}  // namespace ovgUi
