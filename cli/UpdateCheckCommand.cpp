#include <QCoreApplication>
#include <QLoggingCategory>
#include <QSettings>
#include <QUrl>
#include <cstdio>

#include "App/AppInfo.h"
#include "CliSupport.h"
#include "JsonWriter.h"
#include "net/RequestUpdateInfo.h"
#include "net/UpdateServerConfig.h"

namespace orvel::cli {

int RunUpdateCheck(const Args& args)
{
    std::string server;
    std::string appId;
    bool appIdGiven = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool valued = arg == "--server" || arg == "--app-id";
        if (!valued) {
            std::fprintf(stderr, "orvelgraph-cli update-check: unknown argument %s\n", arg.c_str());
            return 2;
        }
        if (i + 1 >= args.size()) {
            std::fprintf(stderr, "orvelgraph-cli update-check: %s needs a value\n", arg.c_str());
            return 2;
        }
        (arg == "--server" ? server : appId) = args[++i];
        if (arg == "--app-id") appIdGiven = true;
    }

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
            std::fprintf(stderr, "orvelgraph-cli update-check: --server needs an http or https URL\n");
            return 2;
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
