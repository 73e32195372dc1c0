#pragma once

#include <QByteArrayView>
#include <QString>
#include <QUrl>

namespace ovgNet {

// Where the update check asks: the parameter file's element update_info > server, each child
// element's text one value,
//   <update_info><server><server_name/><port/><api/><app_id/></server></update_info>
// A server_name written as "http://host" asks over plain HTTP; a bare host name over HTTPS.
// An empty server_name means no server: the check does nothing.
struct UpdateServerConfig {
    static constexpr const char* kDefaultApi = "api/updateinfo/v2/search.php";

    QString server_name;
    QString port;  // decimal text, as written in the file
    QString api;
    QString app_id;

    bool IsConfigured() const { return !server_name.trimmed().isEmpty(); }
    // scheme://server_name:port/api without a query; invalid when not configured. A missing or
    // unusable port (not 1 to 65535) leaves the scheme's own port; a missing api is kDefaultApi.
    QUrl Endpoint() const;

    // The values of the first update_info > server anywhere in the XML text; empty fields for
    // what it does not give or for text that is not XML.
    static UpdateServerConfig FromXml(QByteArrayView xml);
    // The values of a parameter file (plain or keyed form); empty when it cannot be read.
    static UpdateServerConfig FromFile(const QString& path);
    // Each value from the user's file, else from the shared file.
    static UpdateServerConfig Load(const QString& userPath, const QString& sharedPath);
    // Load() with the application's two parameter files.
    static UpdateServerConfig LoadInstalled();
};

}  // namespace ovgNet
