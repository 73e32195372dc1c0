#include "net/ProxySettings.h"

#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkProxyFactory>
#include <QSettings>

#include "Common/Library/ProfileValue.h"

namespace ovgNet {
namespace {

const QString kSection = QStringLiteral("Settings/Proxy");

ovgApp::ProfileValue<int32_t> TypeValue()
{
    return {kSection, QStringLiteral("Type"), ProxySettings::kAutomatic};
}
ovgApp::ProfileValue<QString> AddrValue()
{
    return {kSection, QStringLiteral("Addr"), QString()};
}
ovgApp::ProfileValue<int32_t> PortValue()
{
    return {kSection, QStringLiteral("Port"), ProxySettings::kDefaultPort};
}

// Asks the system per request, so a change of the system's configuration counts at once and
// no process-wide switch is thrown.
class SystemProxyFactory : public QNetworkProxyFactory {
public:
    QList<QNetworkProxy> queryProxy(const QNetworkProxyQuery& query) override
    {
        return QNetworkProxyFactory::systemProxyForQuery(query);
    }
};

}  // namespace

void ProxySettings::Load(const QSettings& settings)
{
    type = TypeValue().Read(settings);
    if (type != kAutomatic && type != kManual) type = kAutomatic;
    addr = AddrValue().Read(settings).trimmed();
    port = PortValue().Read(settings);
    if (port < 1 || port > 65535) port = kDefaultPort;
}

void ProxySettings::Save(QSettings& settings) const
{
    TypeValue().Write(settings, type);
    AddrValue().Write(settings, addr);
    PortValue().Write(settings, port);
}

void ProxySettings::Apply(QNetworkAccessManager& manager) const
{
    if (type == kManual && !addr.isEmpty()) {
        manager.setProxyFactory(nullptr);
        manager.setProxy(QNetworkProxy(QNetworkProxy::HttpProxy, addr, quint16(port)));
    } else {
        manager.setProxy(QNetworkProxy(QNetworkProxy::DefaultProxy));
        manager.setProxyFactory(new SystemProxyFactory);  // the manager takes ownership
    }
}

}  // namespace ovgNet
