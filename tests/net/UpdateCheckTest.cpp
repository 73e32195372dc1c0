#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDateTime>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrlQuery>
#include <optional>

#include "App/AppInfo.h"
#include "App/PrmFile.h"
#include "LoopbackServer.h"
#include "net/AppRecvUpdateInfo.h"
#include "net/OnEventListener.h"
#include "net/RequestUpdateInfo.h"
#include "net/UpdateServerConfig.h"
#include "net/UpdateStartUp.h"
#include "ui/DlgAbout.h"
#include "ui/DlgUpdateFirstRun.h"

using ovgNet::AppRecvUpdateInfo;
using ovgNet::ProxySettings;
using ovgNet::RequestUpdateInfo;
using ovgNet::UpdateServerConfig;

namespace {

using Heard = std::tuple<bool, bool, QString>;  // success, hasNewerVersion, downloadUrl

class RecordingListener : public ovgNet::OnEventListener {
public:
    void OnReceived(bool success, bool newer, const QString& url) override
    {
        heard.emplace_back(success, newer, url);
    }
    std::vector<Heard> heard;
};

UpdateServerConfig LoopbackConfig(quint16 port, const QString& appId = QStringLiteral("ORVG"))
{
    return {QStringLiteral("http://127.0.0.1"), QString::number(port), {}, appId};
}

}  // namespace

TEST(RequestUpdateInfo, EveryEndingHasItsCodeInTheRequestAndTheAboutBox)
{
    enum class Via { Direct, Proxy, ClosedPort, NoServer };
    const QString appId = QStringLiteral("a b&c=d/é");  // must come back whole from the query
    const char* web = "http://127.0.0.1/dl?a=1&b=2";    // the About box's link escapes the &
    const QList<std::pair<QString, QString>> query = {{"id", appId},
                                                      {"version", ovgApp::AppInfo::VersionNumber()},
                                                      {"language", "JPN"},
                                                      {"os", RequestUpdateInfo::OsDescription()}};
    ASSERT_TRUE(query.back().second.endsWith(", 64-bit") || query.back().second.endsWith(", 32-bit"));
    const QByteArray twoMiB(2 << 20, ' ');
    const auto ok = [](const QByteArray& body) { return LoopbackServer::Response(200, body); };
    // A whole answer padded with blanks to the size, so the limit is pinned from both sides.
    const auto padded = [web](qint64 size) {
        QByteArray body = FullAnswer("true", web);
        return body.append(QByteArray(size - body.size(), ' '));
    };
    const struct {
        const char* name;
        QByteArray response;  // empty: accept and never answer
        int code;
        bool newer;
        Via via = Via::Direct;
        const char* url = "http://127.0.0.1/download";  // the answer's download page
    } rows[] = {
        {"newer version", ok(FullAnswer("true", web)), 0, true, Via::Direct, web},
        {"newer version, page not on the web", ok(FullAnswer("true", "javascript:alert(1)")), 0, true,
         Via::Direct, "javascript:alert(1)"},
        // The target's port is closed: only the proxy can answer.
        {"up to date, through the manual proxy", ok(FullAnswer("false")), 0, false, Via::Proxy},
        {"empty body", ok(""), -2, false},
        {"array", ok("[1,2]"), -3, false},
        {"not JSON", ok("<html></html>"), -3, false},
        {"a number beyond any double", ok("{\"status\":1e999}"), -3, false},
        {"object and more", ok(FullAnswer("true") + "{}"), -3, false},
        {"no status", ok("{\"result\":{}}"), -4, false},
        {"status as text", ok("{\"status\":\"200\"}"), -4, false},
        {"status zero", ok("{\"status\":0}"), -4, false},
        {"status 404 in the answer", ok("{\"status\":404}"), 404, false},
        {"HTTP 500 carrying a status", LoopbackServer::Response(500, "{\"status\":503}"), 503, false},
        {"no result.subject", ok(FullAnswer("true", "u", "subject")), -10, false},
        {"hasNewerVersion as text", ok(FullAnswer("\"true\"")), -10, false},
        {"no result", ok("{\"status\":200}"), -10, false},
        {"exactly 1 MiB with its length", ok(padded(RequestUpdateInfo::kMaxBodyBytes)), 0, true, Via::Direct, web},
        {"a byte over 1 MiB until the connection closes",
         LoopbackServer::Response(200, padded(RequestUpdateInfo::kMaxBodyBytes + 1), false), -1, false},
        {"2 MiB with its length", ok(twoMiB), -1, false},
        {"2 MiB until the connection closes", LoopbackServer::Response(200, twoMiB, false), -1, false},
        {"no answer (time limit)", {}, -1, false},
        {"nothing listens", {}, -1, false, Via::ClosedPort},
        {"no server configured: nobody is told", {}, -1, false, Via::NoServer},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        LoopbackServer server;
        server.SetResponse(row.response);
        QTcpServer closedServer;  // a port where nothing listens
        closedServer.listen(QHostAddress::LocalHost, 0);
        const quint16 closed = closedServer.serverPort();
        closedServer.close();
        UpdateServerConfig config = LoopbackConfig(row.via == Via::Direct ? server.Port() : closed, appId);
        if (row.via == Via::NoServer) config = {};
        ProxySettings proxy;
        if (row.via == Via::Proxy) proxy = {ProxySettings::kManual, "127.0.0.1", server.Port()};
        RequestUpdateInfo request;
        request.SetTimeoutMs(300);
        request.SetProxy(proxy);
        RecordingListener listener;
        std::vector<int> finished;
        QObject::connect(&request, &RequestUpdateInfo::finished, [&](int code) { finished.push_back(code); });
        ASSERT_TRUE(request.Start(config, &listener));
        EXPECT_FALSE(request.Start(config, &listener));  // one at a time
        ASSERT_TRUE(WaitFor([&] { return !request.IsRunning(); }));

        EXPECT_EQ(row.code, request.GetResultCode());
        EXPECT_EQ(std::vector<int>{row.code}, finished);
        const Heard told{row.code == 0, row.newer, row.code == 0 ? row.url : ""};
        EXPECT_EQ(row.via == Via::NoServer ? std::vector<Heard>{} : std::vector<Heard>{told}, listener.heard);
        const bool asked = row.via == Via::Direct || row.via == Via::Proxy;
        ASSERT_EQ(asked ? 1 : 0, server.Requests().size());
        if (asked) {
            const QList<QByteArray> line = server.Requests()[0].split(' ');  // GET <target> HTTP/1.1
            ASSERT_EQ(3, line.size());
            EXPECT_EQ("GET", line[0]);
            const QUrl target(QString::fromLatin1(line[1]));
            EXPECT_EQ("/api/updateinfo/v2/search.php", target.path());
            EXPECT_EQ(query, QUrlQuery(target).queryItems(QUrl::FullyDecoded));
        }

        // The About box: its button waits for the end, then the outcome and a link to a web page.
        ovgUi::DlgAbout about(config, proxy, nullptr);
        about.Request().SetTimeoutMs(300);
        about.show();
        EXPECT_EQ("バージョン情報", about.windowTitle());
        about.CheckButton()->click();
        EXPECT_FALSE(about.CheckButton()->isEnabled());
        EXPECT_EQ("アップデート情報を確認しています。", about.Status()->text());
        ASSERT_TRUE(WaitFor([&] { return about.CheckButton()->isEnabled(); }));
        EXPECT_EQ(QString(row.code != 0 ? "アップデート情報の取得に失敗しました。"
                          : row.newer ? "新しいバージョンのアプリケーションが見つかりました。"
                                      : "最新のアプリケーションです。"),
                  about.Status()->text());
        const bool link = row.code == 0 && row.newer && qstrcmp(row.url, web) == 0;
        EXPECT_EQ(link, about.Link()->isVisible());
        if (link) {
            EXPECT_EQ(row.url, about.Link()->toolTip());
            EXPECT_TRUE(about.Link()->text().contains("href=\"http://127.0.0.1/dl?a=1&amp;b=2\""));
            EXPECT_TRUE(about.Link()->openExternalLinks());
        }
        EXPECT_EQ(asked ? 2 : 0, server.Requests().size());
    }
}

TEST(UpdateServerConfig, UserFileFirstThenSharedFile)
{
    const auto prm = [](const char* name, const char* port, const char* api, const char* id) {
        return QString(
                   "<?xml version=\"1.0\"?><scale_expr_info version=\"0.10\"><update_info><server>"
                   "<server_name>%1</server_name><port>%2</port><api>%3</api><app_id>%4</app_id>"
                   "</server></update_info></scale_expr_info>")
            .arg(name, port, api, id)
            .toUtf8();
    };
    const QByteArray full = prm("http://127.0.0.1", "8081", "/u", "USER");
    const struct {
        const char* name;
        QByteArray user, shared;  // empty: no file
        bool sharedKeyed;
        QString endpoint, appId;
    } rows[] = {
        {"user file only", full, "", false, "http://127.0.0.1:8081/u", "USER"},
        {"shared fills what the user leaves out", prm("", "", "", "USER"),
         prm("127.0.0.1", "8443", "", "SHARED"), false, "https://127.0.0.1:8443/api/updateinfo/v2/search.php",
         "USER"},
        {"keyed shared file", "", full, true, "http://127.0.0.1:8081/u", "USER"},
        {"port out of range", prm("127.0.0.1", "70000", "", ""), "", false,
         "https://127.0.0.1/api/updateinfo/v2/search.php", ""},
        {"no server named", prm("", "80", "", ""), "<scale_expr_info/>", false, "", ""},
        {"not XML", "<update_info><server>", "", false, "", ""},
        {"no files", "", "", false, "", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QTemporaryDir dir;
        const QString user = dir.filePath("user.prm"), shared = dir.filePath("shared.prm");
        for (const auto& [path, bytes] : {std::pair{user, row.user}, std::pair{shared, row.shared}}) {
            QFile file(path);
            EXPECT_TRUE(bytes.isEmpty() ||
                        (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size()));
        }
        // The keyed form is made by saving over a plain file, which carries update_info over.
        EXPECT_TRUE(!row.sharedKeyed || ovgApp::PrmFile::Save(shared, {}, ovgApp::PrmFile::Form::Keyed) == 0);

        const UpdateServerConfig config = UpdateServerConfig::Load(user, shared);
        EXPECT_EQ(!row.endpoint.isEmpty(), config.IsConfigured());
        EXPECT_EQ(row.endpoint, config.Endpoint().toString());
        EXPECT_EQ(row.appId, config.app_id);
    }
}

TEST(UpdateStartUp, AsksFirstChecksOncePerLocalDayAndKeepsTheToggle)
{
    using enum ovgNet::StartUpOutcome;
    const QString kUpdateInfo = QStringLiteral("Settings/UpdateInfo/");
    // Local time is nine hours east of UTC here (see main), so local and UTC dates differ.
    const int64_t day = QDateTime(QDate(2026, 3, 10), QTime(0, 0), Qt::LocalTime).toSecsSinceEpoch();
    const int64_t utcDay = QDateTime(QDate(2026, 3, 10), QTime(0, 0), Qt::UTC).toSecsSinceEpoch();
    ASSERT_EQ(9 * 3600, utcDay - day);
    const struct {
        const char* name;
        std::optional<int> confirmed, autoRecv;  // none: key absent
        int64_t recvTime, now;
        std::optional<bool> answer;  // none: not asked
        ovgNet::StartUpOutcome outcome;
        int storedAutoRecv;
        bool toggledOffWhileChecking = false;  // by the Help menu
    } rows[] = {
        {"first run, yes", {}, {}, 0, day, true, kStarted, 1},
        {"first run, no", {}, {}, 0, day, false, kAutoRecvOff, 0},
        {"not asked yet, AutoRecv already on", {}, 1, 0, day, false, kAutoRecvOff, 0},
        {"answered no before", 1, 0, 0, day, {}, kAutoRecvOff, 0},
        {"a minute before midnight yesterday", 1, 1, day - 60, day + 60, {}, kStarted, 1},
        {"at midnight, now the day's last second", 1, 1, day, day + 86399, {}, kCheckedToday, 1},
        {"same UTC date, local dates differ", 1, 1, utcDay + 3600, utcDay + 16 * 3600, {}, kStarted, 1},
        {"different UTC dates, same local date", 1, 1, utcDay - 3600, utcDay + 3600, {}, kCheckedToday, 1},
        {"last check on a later day (clock set back)", 1, 1, day + 86400, day, {}, kStarted, 1},
        {"toggled off while the check runs", 1, 1, 0, day, {}, kStarted, 0, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QTemporaryDir dir;
        const QString ini = dir.filePath("settings.ini");
        {
            QSettings settings(ini, QSettings::IniFormat);
            if (row.confirmed) settings.setValue(kUpdateInfo + "ConfirmedAutoRecv", *row.confirmed);
            if (row.autoRecv) settings.setValue(kUpdateInfo + "AutoRecv", *row.autoRecv);
            settings.setValue(kUpdateInfo + "RecvTime", AppRecvUpdateInfo::EncodeRecvTime(row.recvTime));
        }
        LoopbackServer server;
        server.SetResponse(LoopbackServer::Response(200, FullAnswer("true")));
        AppRecvUpdateInfo info([ini] { return std::make_unique<QSettings>(ini, QSettings::IniFormat); });
        RequestUpdateInfo request;
        bool asked = false;
        const auto ask = [&](bool checked) {
            asked = true;
            EXPECT_TRUE(server.Requests().isEmpty());
            EXPECT_FALSE(request.IsRunning());
            QTimer::singleShot(0, [&] {
                auto* dialog = qobject_cast<ovgUi::DlgUpdateFirstRun*>(QApplication::activeModalWidget());
                ASSERT_NE(nullptr, dialog);
                EXPECT_EQ("アプリケーション起動時にアップデート情報を確認する。", dialog->AutoRecv()->text());
                EXPECT_TRUE(dialog->AutoRecv()->isChecked());  // offered as yes
                dialog->AutoRecv()->setChecked(row.answer.value_or(false));
                dialog->accept();
            });
            return ovgUi::DlgUpdateFirstRun::Ask(nullptr, checked);
        };
        const int64_t before = QDateTime::currentSecsSinceEpoch();
        EXPECT_EQ(row.outcome,
                  RunStartUpSequence(info, request, LoopbackConfig(server.Port()), ask, row.now));
        EXPECT_EQ(row.answer.has_value(), asked);
        if (row.toggledOffWhileChecking)
            QSettings(ini, QSettings::IniFormat).setValue(kUpdateInfo + "AutoRecv", 0);
        ASSERT_TRUE(WaitFor([&] { return !request.IsRunning(); }));

        const QSettings stored(ini, QSettings::IniFormat);
        EXPECT_EQ(1, stored.value(kUpdateInfo + "ConfirmedAutoRecv").toInt());
        EXPECT_EQ(row.storedAutoRecv, stored.value(kUpdateInfo + "AutoRecv").toInt());
        const bool started = row.outcome == kStarted;
        EXPECT_EQ(started ? 1 : 0, server.Requests().size());
        const int64_t recvTime =
            AppRecvUpdateInfo::DecodeRecvTime(stored.value(kUpdateInfo + "RecvTime").toByteArray());
        EXPECT_TRUE(started ? recvTime >= before : recvTime == row.recvTime) << recvTime;
        EXPECT_EQ(started, info.IsSuccess() && info.HasNewerVersion());
        EXPECT_EQ(started ? "http://127.0.0.1/download" : "", info.GetDownloadUrl());
    }
}

TEST(UpdateCheckCli, PrintsOneJsonLineAndExitsByOutcome)
{
    QTemporaryDir home;  // no parameter file: no server configured
    const QString json =
        "{\"code\":%1,\"success\":%2,\"hasNewerVersion\":%2,\"downloadInformationURL\":\"%3\"}\n";
    const QString newer = json.arg(0).arg("true").arg("http://127.0.0.1/download");
    const auto failed = [&](int code) { return json.arg(code).arg("false").arg(""); };
    const struct {
        const char* name;
        QByteArray answer;
        QStringList arguments;  // %1 is the server's port
        int exitCode;
        QString out;
    } rows[] = {
        {"newer", FullAnswer("true"), {"--server", "http://127.0.0.1:%1/c", "--app-id", "T"}, 0, newer},
        {"status 404", "{\"status\":404}", {"--server", "http://127.0.0.1:%1/x"}, 1, failed(404)},
        {"no server configured", {}, {}, 1, failed(-1)},
        {"not a web URL", {}, {"--server", "ftp://127.0.0.1/x"}, 2, {}},
        {"unknown option", {}, {"--port", "1"}, 2, {}},
        {"missing value", {}, {"--app-id"}, 2, {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        LoopbackServer server;
        server.SetResponse(LoopbackServer::Response(200, row.answer));
        QStringList arguments{"update-check"};
        for (const QString& argument : row.arguments)
            arguments << QString(argument).replace("%1", QString::number(server.Port()));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name :
             {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_DATA_DIRS", "XDG_CONFIG_DIRS"})
            environment.insert(name, home.path());
        QProcess cli;
        cli.setProcessEnvironment(environment);
        cli.start(ORVEL_CLI_PATH, arguments);
        ASSERT_TRUE(WaitFor([&] { return cli.state() == QProcess::NotRunning; }, 15000));
        EXPECT_EQ(QProcess::NormalExit, cli.exitStatus());
        EXPECT_EQ(row.exitCode, cli.exitCode()) << cli.readAllStandardError().toStdString();
        EXPECT_EQ(row.out, QString::fromUtf8(cli.readAllStandardOutput()));
    }
}
