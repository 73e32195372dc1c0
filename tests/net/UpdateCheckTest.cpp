#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSettings>
#include <QTemporaryDir>
#include <QUrlQuery>
#include <optional>

#include "App/AppInfo.h"
#include "App/PrmFile.h"
#include "LoopbackServer.h"
#include "net/AppRecvUpdateInfo.h"
#include "net/OnEventListener.h"
#include "net/ProxySettings.h"
#include "net/RequestUpdateInfo.h"
#include "net/UpdateServerConfig.h"
#include "net/UpdateStartUp.h"

using ovgNet::AppRecvUpdateInfo;
using ovgNet::ProxySettings;
using ovgNet::RequestUpdateInfo;
using ovgNet::UpdateServerConfig;

namespace {

struct Heard {
    bool success;
    bool hasNewerVersion;
    QString downloadUrl;
};

class RecordingListener : public ovgNet::OnEventListener {
public:
    void OnReceived(bool success, bool hasNewerVersion, const QString& downloadUrl) override
    {
        heard.push_back({success, hasNewerVersion, downloadUrl});
    }
    std::vector<Heard> heard;
};

// An answer with every member of "result"; without leaves one member out.
QByteArray Answer(int status, const char* hasNewer, const char* without = nullptr)
{
    const std::pair<const char*, QByteArray> members[] = {
        {"applicationId", "\"ORVG\""},
        {"applicationName", "\"Orvel Graph\""},
        {"hasNewerVersion", hasNewer},
        {"newestVersion", "\"9.0.0\""},
        {"supportInformationURL", "\"http://127.0.0.1/support\""},
        {"downloadInformationURL", "\"http://127.0.0.1/download\""},
        {"fileURL", "\"http://127.0.0.1/file\""},
        {"updateDate", "\"2026-01-01\""},
        {"subject", "\"s\""},
        {"description", "\"d\""},
    };
    QByteArray result;
    for (const auto& [name, value] : members) {
        if (without && qstrcmp(name, without) == 0) continue;
        if (!result.isEmpty()) result += ',';
        result += '"' + QByteArray(name) + "\":" + value;
    }
    return "{\"status\":" + QByteArray::number(status) + ",\"result\":{" + result + "}}";
}

UpdateServerConfig LoopbackConfig(quint16 port, const QString& api = {},
                                  const QString& appId = QStringLiteral("ORVG"))
{
    return {QStringLiteral("http://127.0.0.1"), QString::number(port), api, appId};
}

// A port on 127.0.0.1 where nothing listens.
quint16 ClosedPort()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    return server.serverPort();
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

QByteArray PrmWithServer(const QByteArray& server)
{
    return "<?xml version=\"1.0\"?><scale_expr_info version=\"0.10\"><update_info><server>" + server +
           "</server></update_info></scale_expr_info>";
}

}  // namespace

TEST(RequestUpdateInfo, EveryAnswerEndsWithItsCode)
{
    const QByteArray twoMiB(2 << 20, ' ');
    const struct {
        const char* name;
        std::optional<QByteArray> response;  // none: accept and never answer
        int code;
        bool hasNewerVersion;
        QString url;
    } rows[] = {
        {"newer version", LoopbackServer::Response(200, Answer(200, "true")), 0, true,
         QStringLiteral("http://127.0.0.1/download")},
        {"up to date", LoopbackServer::Response(200, Answer(200, "false")), 0, false,
         QStringLiteral("http://127.0.0.1/download")},
        {"empty body", LoopbackServer::Response(200, ""), -2, false, {}},
        {"array", LoopbackServer::Response(200, "[1,2]"), -3, false, {}},
        {"not JSON", LoopbackServer::Response(200, "<html></html>"), -3, false, {}},
        {"object and more", LoopbackServer::Response(200, Answer(200, "true") + "{}"), -3, false, {}},
        {"no status", LoopbackServer::Response(200, "{\"result\":{}}"), -4, false, {}},
        {"status as text", LoopbackServer::Response(200, "{\"status\":\"200\"}"), -4, false, {}},
        {"status zero", LoopbackServer::Response(200, "{\"status\":0}"), -4, false, {}},
        {"status 404 in the answer", LoopbackServer::Response(200, "{\"status\":404}"), 404, false, {}},
        {"HTTP 500 carrying a JSON status",
         LoopbackServer::Response(500, "{\"status\":503}"),
         503,
         false,
         {}},
        {"no result.subject", LoopbackServer::Response(200, Answer(200, "true", "subject")), -10, false, {}},
        {"hasNewerVersion as text", LoopbackServer::Response(200, Answer(200, "\"true\"")), -10, false, {}},
        {"no result", LoopbackServer::Response(200, "{\"status\":200}"), -10, false, {}},
        {"2 MiB with its length", LoopbackServer::Response(200, twoMiB), -1, false, {}},
        {"2 MiB until the connection closes", LoopbackServer::Response(200, twoMiB, false), -1, false, {}},
        {"no answer (time limit)", std::nullopt, -1, false, {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        LoopbackServer server;
        if (row.response)
            server.SetResponse(*row.response);
        else
            server.SetSilent();
        RequestUpdateInfo request;
        request.SetTimeoutMs(300);
        RecordingListener listener;
        std::vector<int> finished;
        QObject::connect(&request, &RequestUpdateInfo::finished, [&](int code) { finished.push_back(code); });
        ASSERT_TRUE(request.Start(LoopbackConfig(server.Port()), &listener));
        EXPECT_FALSE(request.Start(LoopbackConfig(server.Port()), &listener));  // one at a time
        ASSERT_TRUE(WaitFor([&] { return !request.IsRunning(); }));

        EXPECT_EQ(row.code, request.GetResultCode());
        EXPECT_EQ(std::vector<int>{row.code}, finished);
        ASSERT_EQ(1u, listener.heard.size());
        EXPECT_EQ(row.code == 0, listener.heard[0].success);
        EXPECT_EQ(row.hasNewerVersion, listener.heard[0].hasNewerVersion);
        EXPECT_EQ(row.url, listener.heard[0].downloadUrl);
        EXPECT_EQ(1, server.Requests().size());
    }
}

TEST(RequestUpdateInfo, WithoutAServerOrConnectionTheCheckFails)
{
    const struct {
        const char* name;
        UpdateServerConfig config;
        bool listenerTold;
    } rows[] = {
        {"no server configured", {}, false},
        {"nothing listens", LoopbackConfig(ClosedPort()), true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        RequestUpdateInfo request;
        RecordingListener listener;
        ASSERT_TRUE(request.Start(row.config, &listener));
        ASSERT_TRUE(WaitFor([&] { return !request.IsRunning(); }));
        EXPECT_EQ(RequestUpdateInfo::kNetworkFailed, request.GetResultCode());
        EXPECT_EQ(row.listenerTold ? 1u : 0u, listener.heard.size());
    }
}

TEST(RequestUpdateInfo, QueryCarriesIdVersionLanguageAndOsInOrder)
{
    const struct {
        QString api;
        QString appId;
        QByteArray path;
    } rows[] = {
        {{}, QStringLiteral("ORVG"), "/api/updateinfo/v2/search.php"},
        {QStringLiteral("/check"), QStringLiteral("a b&c=d/é"), "/check"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.appId.toStdString());
        LoopbackServer server;
        server.SetResponse(LoopbackServer::Response(200, Answer(200, "false")));
        RequestUpdateInfo request;
        ASSERT_TRUE(request.Start(LoopbackConfig(server.Port(), row.api, row.appId), nullptr));
        ASSERT_TRUE(WaitFor([&] { return !request.IsRunning(); }));
        ASSERT_EQ(1, server.Requests().size());

        const QList<QByteArray> line = server.Requests()[0].split(' ');
        ASSERT_EQ(3, line.size());
        EXPECT_EQ("GET", line[0]);
        const QUrl target(QString::fromLatin1(line[1]));
        EXPECT_EQ(row.path, target.path().toUtf8());
        const QList<std::pair<QString, QString>> items = QUrlQuery(target).queryItems(QUrl::FullyDecoded);
        const QList<std::pair<QString, QString>> expected = {
            {QStringLiteral("id"), row.appId},
            {QStringLiteral("version"), ovgApp::AppInfo::VersionNumber()},
            {QStringLiteral("language"), QStringLiteral("JPN")},
            {QStringLiteral("os"), RequestUpdateInfo::OsDescription()},
        };
        EXPECT_EQ(expected, items);
        EXPECT_TRUE(items.back().second.endsWith(QStringLiteral("-bit")));
    }
}

TEST(UpdateServerConfig, UserFileFirstThenSharedFile)
{
    const QByteArray full =
        "<server_name>http://127.0.0.1</server_name><port>8081</port><api>/u</api>"
        "<app_id>USER</app_id>";
    const struct {
        const char* name;
        QByteArray user;    // empty: no file
        QByteArray shared;  // empty: no file
        bool sharedKeyed;
        QString endpoint;
        QString appId;
    } rows[] = {
        {"user file only",
         PrmWithServer(full),
         {},
         false,
         QStringLiteral("http://127.0.0.1:8081/u"),
         QStringLiteral("USER")},
        {"shared fills what the user leaves out", PrmWithServer("<app_id>USER</app_id>"),
         PrmWithServer("<server_name>127.0.0.1</server_name><port>8443</port><app_id>SHARED</app_id>"), false,
         QStringLiteral("https://127.0.0.1:8443/api/updateinfo/v2/search.php"), QStringLiteral("USER")},
        {"keyed shared file",
         {},
         PrmWithServer(full),
         true,
         QStringLiteral("http://127.0.0.1:8081/u"),
         QStringLiteral("USER")},
        {"port out of range",
         PrmWithServer("<server_name>127.0.0.1</server_name><port>70000</port>"),
         {},
         false,
         QStringLiteral("https://127.0.0.1/api/updateinfo/v2/search.php"),
         {}},
        {"no server named", PrmWithServer("<port>80</port>"), "<scale_expr_info/>", false, {}, {}},
        {"not XML", "<update_info><server>", {}, false, {}, {}},
        {"no files", {}, {}, false, {}, {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QTemporaryDir dir;
        const QString user = dir.filePath(QStringLiteral("user.prm"));
        const QString shared = dir.filePath(QStringLiteral("shared.prm"));
        if (!row.user.isEmpty()) WriteFile(user, row.user);
        if (!row.shared.isEmpty()) WriteFile(shared, row.shared);
        // The keyed form is made by saving over a plain file, which carries update_info over.
        if (row.sharedKeyed) {
            ASSERT_EQ(0, ovgApp::PrmFile::Save(shared, {}, ovgApp::PrmFile::Form::Keyed));
        }

        const UpdateServerConfig config = UpdateServerConfig::Load(user, shared);
        EXPECT_EQ(!row.endpoint.isEmpty(), config.IsConfigured());
        EXPECT_EQ(row.endpoint, config.Endpoint().toString());
        EXPECT_EQ(row.appId, config.app_id);
    }
}

TEST(AppRecvUpdateInfo, OneAutomaticCheckPerLocalCalendarDay)
{
    // Local time is nine hours east of UTC here (see main).
    const int64_t midnight = QDateTime(QDate(2026, 3, 10), QTime(0, 0), Qt::LocalTime).toSecsSinceEpoch();
    const int64_t utcMidnight = QDateTime(QDate(2026, 3, 10), QTime(0, 0), Qt::UTC).toSecsSinceEpoch();
    ASSERT_EQ(9 * 3600, utcMidnight - midnight);
    const struct {
        const char* name;
        int64_t recv;
        int64_t now;
        bool due;
    } rows[] = {
        {"a minute before midnight yesterday", midnight - 60, midnight + 60, true},
        {"earlier the same day", midnight + 60, midnight + 86340, false},
        {"at midnight, now the day's last second", midnight, midnight + 86399, false},
        {"same UTC date, local dates differ", utcMidnight + 3600, utcMidnight + 16 * 3600, true},
        {"different UTC dates, same local date", utcMidnight - 3600, utcMidnight + 3600, false},
        {"never checked", 0, midnight, true},
        {"last check on a later day (clock set back)", midnight + 86400, midnight, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.due, ovgNet::IsCheckDue(row.recv, row.now));
    }
}

TEST(AppRecvUpdateInfo, FirstRunQuestionComesBeforeAnyCheck)
{
    const int64_t now = QDateTime::currentSecsSinceEpoch();
    const struct {
        const char* name;
        std::optional<int> confirmed, autoRecv;  // none: key absent
        int64_t recvTime;
        bool answer;
        bool asked;
        ovgNet::StartUpOutcome outcome;
        int storedAutoRecv;
    } rows[] = {
        {"first run, yes", std::nullopt, std::nullopt, 0, true, true, ovgNet::StartUpOutcome::kStarted, 1},
        {"first run, no", std::nullopt, std::nullopt, 0, false, true, ovgNet::StartUpOutcome::kAutoRecvOff,
         0},
        {"answered no before", 1, 0, 0, true, false, ovgNet::StartUpOutcome::kAutoRecvOff, 0},
        {"checked earlier today", 1, 1, now, true, false, ovgNet::StartUpOutcome::kCheckedToday, 1},
        {"checked yesterday", 1, 1, now - 86400, false, false, ovgNet::StartUpOutcome::kStarted, 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QTemporaryDir dir;
        const QString ini = dir.filePath(QStringLiteral("settings.ini"));
        {
            QSettings settings(ini, QSettings::IniFormat);
            if (row.confirmed)
                settings.setValue(QStringLiteral("Settings/UpdateInfo/ConfirmedAutoRecv"), *row.confirmed);
            if (row.autoRecv)
                settings.setValue(QStringLiteral("Settings/UpdateInfo/AutoRecv"), *row.autoRecv);
            settings.setValue(QStringLiteral("Settings/UpdateInfo/RecvTime"),
                              AppRecvUpdateInfo::EncodeRecvTime(row.recvTime));
        }
        const auto open = [ini] { return std::make_unique<QSettings>(ini, QSettings::IniFormat); };
        LoopbackServer server;
        server.SetResponse(LoopbackServer::Response(200, Answer(200, "true")));
        AppRecvUpdateInfo info(open);
        RequestUpdateInfo request;
        bool asked = false;
        const auto ask = [&](bool) {
            asked = true;
            EXPECT_TRUE(server.Requests().isEmpty());
            EXPECT_FALSE(request.IsRunning());
            return row.answer;
        };
        const int64_t before = QDateTime::currentSecsSinceEpoch();
        EXPECT_EQ(row.outcome, RunStartUpSequence(info, request, LoopbackConfig(server.Port()), ask, now));
        EXPECT_EQ(row.asked, asked);
        const bool started = row.outcome == ovgNet::StartUpOutcome::kStarted;
        ASSERT_TRUE(WaitFor([&] { return !request.IsRunning(); }));

        const QSettings stored(ini, QSettings::IniFormat);
        EXPECT_EQ(1, stored.value(QStringLiteral("Settings/UpdateInfo/ConfirmedAutoRecv")).toInt());
        EXPECT_EQ(row.storedAutoRecv, stored.value(QStringLiteral("Settings/UpdateInfo/AutoRecv")).toInt());
        const int64_t recvTime = AppRecvUpdateInfo::DecodeRecvTime(
            stored.value(QStringLiteral("Settings/UpdateInfo/RecvTime")).toByteArray());
        EXPECT_EQ(started ? 1 : 0, server.Requests().size());
        if (started) {
            EXPECT_GE(recvTime, before);
            EXPECT_TRUE(info.IsSuccess());
            EXPECT_TRUE(info.HasNewerVersion());
            EXPECT_EQ(QStringLiteral("http://127.0.0.1/download"), info.GetDownloadUrl());
        } else {
            EXPECT_EQ(row.recvTime, recvTime);
        }
    }
}

TEST(ProxySettings, RoundTripThroughTheStoreAndOutOfRangeValues)
{
    const struct {
        const char* name;
        QVariant type, addr, port;  // stored; invalid: absent
        ProxySettings expected;
    } rows[] = {
        {"nothing stored", {}, {}, {}, {ProxySettings::kAutomatic, {}, 8080}},
        {"manual",
         2,
         QStringLiteral("127.0.0.1"),
         3128,
         {ProxySettings::kManual, QStringLiteral("127.0.0.1"), 3128}},
        {"automatic keeps the address",
         1,
         QStringLiteral("proxy"),
         1,
         {ProxySettings::kAutomatic, QStringLiteral("proxy"), 1}},
        {"highest port", 2, QStringLiteral("p"), 65535, {ProxySettings::kManual, QStringLiteral("p"), 65535}},
        {"unknown type", 3, {}, {}, {ProxySettings::kAutomatic, {}, 8080}},
        {"port 0", 2, QStringLiteral("p"), 0, {ProxySettings::kManual, QStringLiteral("p"), 8080}},
        {"port 65536", 2, QStringLiteral("p"), 65536, {ProxySettings::kManual, QStringLiteral("p"), 8080}},
        {"port as words",
         2,
         QStringLiteral("p"),
         QStringLiteral("x"),
         {ProxySettings::kManual, QStringLiteral("p"), 8080}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QTemporaryDir dir;
        const QString ini = dir.filePath(QStringLiteral("settings.ini"));
        {
            QSettings settings(ini, QSettings::IniFormat);
            if (row.type.isValid()) settings.setValue(QStringLiteral("Settings/Proxy/Type"), row.type);
            if (row.addr.isValid()) settings.setValue(QStringLiteral("Settings/Proxy/Addr"), row.addr);
            if (row.port.isValid()) settings.setValue(QStringLiteral("Settings/Proxy/Port"), row.port);
        }
        ProxySettings loaded;
        loaded.Load(QSettings(ini, QSettings::IniFormat));
        EXPECT_EQ(row.expected, loaded);

        const QString copy = dir.filePath(QStringLiteral("copy.ini"));
        {
            QSettings settings(copy, QSettings::IniFormat);
            loaded.Save(settings);
        }
        ProxySettings reloaded;
        reloaded.Load(QSettings(copy, QSettings::IniFormat));
        EXPECT_EQ(loaded, reloaded);
    }
}

TEST(ProxySettings, ManualProxyCarriesTheRequest)
{
    // The loopback server stands in for the proxy: the check's request arrives there in proxy
    // form, aimed at a port where nothing listens.
    LoopbackServer proxyServer;
    proxyServer.SetResponse(LoopbackServer::Response(200, Answer(200, "false")));
    const quint16 target = ClosedPort();
    RequestUpdateInfo request;
    request.SetProxy({ProxySettings::kManual, QStringLiteral("127.0.0.1"), proxyServer.Port()});
    ASSERT_TRUE(request.Start(LoopbackConfig(target), nullptr));
    ASSERT_TRUE(WaitFor([&] { return !request.IsRunning(); }));
    EXPECT_EQ(0, request.GetResultCode());
    ASSERT_EQ(1, proxyServer.Requests().size());
    EXPECT_TRUE(
        proxyServer.Requests()[0].startsWith("GET http://127.0.0.1:" + QByteArray::number(target) + "/api/"))
        << proxyServer.Requests()[0].toStdString();
}

TEST(UpdateCheckCli, PrintsOneJsonLineAndExitsByOutcome)
{
    QTemporaryDir home;  // no parameter file: no server configured
    const struct {
        const char* name;
        QByteArray response;
        QStringList arguments;  // %1 is the server's port
        int exitCode;
        QByteArray out;
    } rows[] = {
        {"newer version",
         LoopbackServer::Response(200, Answer(200, "true")),
         {"--server", "http://127.0.0.1:%1/api/check", "--app-id", "T"},
         0,
         "{\"code\":0,\"success\":true,\"hasNewerVersion\":true,"
         "\"downloadInformationURL\":\"http://127.0.0.1/download\"}\n"},
        {"status 404",
         LoopbackServer::Response(200, "{\"status\":404}"),
         {"--server", "http://127.0.0.1:%1/x"},
         1,
         "{\"code\":404,\"success\":false,\"hasNewerVersion\":false,\"downloadInformationURL\":\"\"}\n"},
        {"no server configured",
         {},
         {},
         1,
         "{\"code\":-1,\"success\":false,\"hasNewerVersion\":false,\"downloadInformationURL\":\"\"}\n"},
        {"not a web URL", {}, {"--server", "ftp://127.0.0.1/x"}, 2, ""},
        {"unknown option", {}, {"--port", "1"}, 2, ""},
        {"missing value", {}, {"--app-id"}, 2, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        LoopbackServer server;
        server.SetResponse(row.response);
        QStringList arguments{QStringLiteral("update-check")};
        for (const QString& argument : row.arguments)
            arguments << QString(argument).replace(QStringLiteral("%1"), QString::number(server.Port()));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name :
             {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_DATA_DIRS", "XDG_CONFIG_DIRS"})
            environment.insert(QString::fromLatin1(name), home.path());
        QProcess cli;
        cli.setProcessEnvironment(environment);
        cli.start(QStringLiteral(ORVEL_CLI_PATH), arguments);
        ASSERT_TRUE(WaitFor([&] { return cli.state() == QProcess::NotRunning; }, 15000));
        EXPECT_EQ(QProcess::NormalExit, cli.exitStatus());
        EXPECT_EQ(row.exitCode, cli.exitCode()) << cli.readAllStandardError().toStdString();
        EXPECT_EQ(row.out.toStdString(), cli.readAllStandardOutput().toStdString());
    }
}
