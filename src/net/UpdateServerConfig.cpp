#include "net/UpdateServerConfig.h"

#include <QFile>
#include <pugixml.hpp>

#include "App/PrmFile.h"

namespace ovgNet {
namespace {

QString ChildText(const pugi::xml_node& parent, const char* name)
{
    return QString::fromUtf8(parent.child(name).text().get()).trimmed();
}

const QString& Either(const QString& own, const QString& fallback)
{
    return own.isEmpty() ? fallback : own;
}

}  // namespace

QUrl UpdateServerConfig::Endpoint() const
{
    if (!IsConfigured()) return {};
    QString host = server_name.trimmed();
    QString scheme = QStringLiteral("https");
    for (const QString& prefix : {QStringLiteral("https://"), QStringLiteral("http://")}) {
        if (host.startsWith(prefix, Qt::CaseInsensitive)) {
            scheme = prefix.chopped(3);
            host = host.mid(prefix.size());
            break;
        }
    }
    QString path = api.trimmed().isEmpty() ? QString::fromLatin1(kDefaultApi) : api.trimmed();
    if (!path.startsWith(u'/')) path.prepend(u'/');
    QUrl url;
    url.setScheme(scheme);
    url.setHost(host);
    bool ok = false;
    const int number = port.trimmed().toInt(&ok, 10);
    if (ok && number >= 1 && number <= 65535) url.setPort(number);
    url.setPath(path);
    return url.isValid() && !url.host().isEmpty() ? url : QUrl();
}

UpdateServerConfig UpdateServerConfig::FromXml(QByteArrayView xml)
{
    UpdateServerConfig config;
    pugi::xml_document document;
    const unsigned options = pugi::parse_default | pugi::parse_ws_pcdata_single;
    if (!document.load_buffer(xml.data(), size_t(xml.size()), options, pugi::encoding_utf8)) return config;
    const pugi::xml_node info = document.find_node(
        [](const pugi::xml_node& node) { return std::string_view(node.name()) == "update_info"; });
    const pugi::xml_node server = info.child("server");
    config.server_name = ChildText(server, "server_name");
    config.port = ChildText(server, "port");
    config.api = ChildText(server, "api");
    config.app_id = ChildText(server, "app_id");
    return config;
}

UpdateServerConfig UpdateServerConfig::FromFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QByteArray xml;
    if (ovgApp::PrmFile::ToPlainXml(file.readAll(), xml) != ovgApp::PrmFile::kOk) return {};
    return FromXml(xml);
}

UpdateServerConfig UpdateServerConfig::Load(const QString& userPath, const QString& sharedPath)
{
    const UpdateServerConfig user = FromFile(userPath);
    const UpdateServerConfig shared = FromFile(sharedPath);
    return {Either(user.server_name, shared.server_name), Either(user.port, shared.port),
            Either(user.api, shared.api), Either(user.app_id, shared.app_id)};
}

UpdateServerConfig UpdateServerConfig::LoadInstalled()
{
    return Load(ovgApp::PrmFile::UserPath(), ovgApp::PrmFile::SharedPath());
}

}  // namespace ovgNet
