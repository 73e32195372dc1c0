#include <QCoreApplication>
#include <QLoggingCategory>
#include <QSettings>
#include <QUrl>
#include <cstdio>

#include "App/AppInfo.h"
#include "CliSupport.h"
#include "Options.h"
#include "JsonWriter.h"
#include "net/RequestUpdateInfo.h"
#include "net/UpdateServerConfig.h"

namespace orvel::cli {

int RunUpdateCheck(const Args& args)
{
    std::string server;
    std::string appId;
    bool appIdGiven = false;
    const auto operands = ParseOptions("update-check", args,
                                       {Text("--server", "URL", server), Custom("--app-id", "ID", "", [&](const std::string& value) {
                                            appId = value;
                                            return appIdGiven = true;
                                        })});
    if (!operands) return 2;
    if (!operands->empty()) return UsageError("update-check", "takes no files: '" + operands->front() + "'");

    int argc = 1;
    char name[] = "orvelgraph-cli";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    // The window's names: its parameter files and proxy settings are the ones used.
    QCoreApplication::setOrganizationName(QStringLiteral("Orvel"));
    QCoreApplication::setApplicationName(ovgApp::AppInfo::Name());
    // The check's step-by-step log is for the window's debug log; here only with ORVEL_DEBUG
    // (QT_LOGGING_RULES still wins over this).
    if (!qEnvironmentVariableIsEmpty("ORVEL_DEBUG")) QLoggingCategory::setFilterRules(QStringLiteral("orvel.*.debug=true"));

    ovgNet::UpdateServerConfig config = ovgNet::UpdateServerConfig::LoadInstalled();
    if (!server.empty()) {
        const QUrl url(QString::fromStdString(server), QUrl::StrictMode);
        const bool web = url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https");
        if (!url.isValid() || !web || url.host().isEmpty()) {
            return UsageError("update-check", "--server needs an http or https URL");
        }
        config.server_name = url.scheme() + QStringLiteral("://") + url.host();
        config.port = url.port() > 0 ? QString::number(url.port()) : QString();
        config.api = url.path().size() > 1 ? url.path() : QString();
    }
    if (appIdGiven) config.app_id = QString::fromStdString(appId);

    ovgNet::ProxySettings proxy;
    proxy.Load(QSettings());
    ovgNet::RequestUpdateInfo request;
    request.SetProxy(proxy);
    QObject::connect(&request, &ovgNet::RequestUpdateInfo::finished, &app, &QCoreApplication::quit);
    request.Start(config, nullptr);
    QCoreApplication::exec();

    const ovgNet::UpdateAnswer& answer = request.GetAnswer();
    JsonWriter json;
    json.BeginObject();
    json.Key("code"), json.Int(request.GetResultCode());
    json.Key("success"), json.Bool(request.IsSuccess());
    json.Key("hasNewerVersion"), json.Bool(answer.hasNewerVersion);
    json.Key("downloadInformationURL"), json.String(answer.downloadInformationURL.toStdString());
    json.EndObject();
    std::printf("%s\n", json.Text().c_str());
    return request.IsSuccess() ? 0 : 1;
}

}  // namespace orvel::cli
