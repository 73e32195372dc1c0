#pragma once

#include <QString>

class QNetworkAccessManager;
class QSettings;

namespace ovgNet {

// How the program reaches the network, section "Settings/Proxy": Type 1 follows the system's
// own proxy configuration, Type 2 sends every request through the HTTP proxy Addr:Port.
struct ProxySettings {
    enum Type : int { kAutomatic = 1, kManual = 2 };
    static constexpr int kDefaultPort = 8080;

    int type = kAutomatic;
    QString addr;
    int port = kDefaultPort;

    // A Type other than 1 or 2 reads as 1, a Port outside 1 to 65535 as 8080.
    void Load(const QSettings& settings);
    void Save(QSettings& settings) const;
    // The manager's proxy: per request the system's answer (automatic), or the given proxy.
    // A manual choice without an address falls back to automatic.
    void Apply(QNetworkAccessManager& manager) const;

    bool operator==(const ProxySettings&) const = default;
};

}  // namespace ovgNet
