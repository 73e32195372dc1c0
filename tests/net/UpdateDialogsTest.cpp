#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

#include "LoopbackServer.h"
#include "net/ProxySettings.h"
#include "net/RequestUpdateInfo.h"
#include "ui/DlgAbout.h"
#include "ui/DlgProxySetup.h"
#include "ui/DlgUpdateFirstRun.h"
#include "ui/Reporter.h"

using ovgNet::ProxySettings;

namespace {

QByteArray FullAnswer(const char* hasNewer, const char* downloadUrl)
{
    return "{\"status\":200,\"result\":{\"applicationId\":\"A\",\"applicationName\":\"N\","
           "\"hasNewerVersion\":" +
           QByteArray(hasNewer) +
           ",\"newestVersion\":\"9\",\"supportInformationURL\":\"s\",\"downloadInformationURL\":\"" +
           QByteArray(downloadUrl) +
           "\",\"fileURL\":\"f\",\"updateDate\":\"u\",\"subject\":\"s\",\"description\":\"d\"}}";
}

QString ReadStream(std::FILE* stream)
{
    std::rewind(stream);
    QByteArray bytes;
    char buffer[256];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, stream)) > 0) bytes.append(buffer, qsizetype(n));
    return QString::fromUtf8(bytes);
}

}  // namespace

TEST(DlgProxySetup, EmptyAddressIsRefusedAndTheRestIsStored)
{
    const struct {
        const char* name;
        bool useProxy;
        QString address;
        int port;
        bool accepted;
        ProxySettings stored;
    } rows[] = {
        {"automatic", false, QString(), 8080, true, {ProxySettings::kAutomatic, {}, 8080}},
        {"proxy",
         true,
         QStringLiteral(" 127.0.0.1 "),
         3128,
         true,
         {ProxySettings::kManual, QStringLiteral("127.0.0.1"), 3128}},
        {"proxy without an address",
         true,
         QStringLiteral("  "),
         3128,
         false,
         {ProxySettings::kAutomatic, {}, 8080}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QTemporaryDir dir;
        QSettings settings(dir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
        std::FILE* stream = std::tmpfile();
        ASSERT_NE(nullptr, stream);
        ovgUi::StreamReporter reporter(stream, QStringLiteral("test"));
        ovgUi::DlgProxySetup dialog(settings, reporter, nullptr);
        dialog.show();
        EXPECT_TRUE(dialog.Automatic()->isChecked());
        EXPECT_FALSE(dialog.Address()->isEnabled());
        EXPECT_FALSE(dialog.Port()->isEnabled());

        (row.useProxy ? dialog.UseProxy() : dialog.Automatic())->setChecked(true);
        EXPECT_EQ(row.useProxy, dialog.Address()->isEnabled());
        EXPECT_EQ(row.useProxy, dialog.Port()->isEnabled());
        dialog.Address()->setText(row.address);
        dialog.Port()->setValue(row.port);
        dialog.accept();

        EXPECT_EQ(row.accepted, !dialog.isVisible());
        EXPECT_EQ(
            row.accepted ? QString() : QStringLiteral("test: プロキシサーバのアドレスを入力してください。\n"),
            ReadStream(stream));
        ProxySettings stored;
        stored.Load(settings);
        EXPECT_EQ(row.stored, stored);
        EXPECT_EQ(row.accepted, settings.contains(QStringLiteral("Settings/Proxy/Type")));
        std::fclose(stream);

        // Opened again, the dialog shows what was stored.
        ovgUi::DlgProxySetup again(settings, reporter, nullptr);
        EXPECT_EQ(row.stored.type == ProxySettings::kManual, again.UseProxy()->isChecked());
        EXPECT_EQ(row.stored.addr, again.Address()->text());
    }
}

TEST(DlgUpdateFirstRun, AnswerIsTheCheckBoxState)
{
    for (const bool answer : {false, true}) {
        QTimer::singleShot(0, [answer] {
            auto* dialog = qobject_cast<ovgUi::DlgUpdateFirstRun*>(QApplication::activeModalWidget());
            ASSERT_NE(nullptr, dialog);
            EXPECT_EQ(QStringLiteral("アプリケーション起動時にアップデート情報を確認する。"),
                      dialog->AutoRecv()->text());
            dialog->AutoRecv()->setChecked(answer);
            dialog->accept();
        });
        EXPECT_EQ(answer, ovgUi::DlgUpdateFirstRun::Ask(nullptr, !answer));
    }
}

TEST(DlgAbout, ManualCheckShowsItsOutcome)
{
    const struct {
        const char* name;
        QByteArray body;
        bool configured;
        QString status;
        QString link;  // empty: no link shown
    } rows[] = {
        {"newer version", FullAnswer("true", "http://127.0.0.1/dl?a=1&b=2"), true,
         QStringLiteral("新しいバージョンのアプリケーションが見つかりました。"),
         QStringLiteral("http://127.0.0.1/dl?a=1&b=2")},
        {"newer version, no web page",
         FullAnswer("true", "javascript:alert(1)"),
         true,
         QStringLiteral("新しいバージョンのアプリケーションが見つかりました。"),
         {}},
        {"up to date",
         FullAnswer("false", "http://127.0.0.1/dl"),
         true,
         QStringLiteral("最新のアプリケーションです。"),
         {}},
        {"failure", "{\"status\":500}", true, QStringLiteral("アップデート情報の取得に失敗しました。"), {}},
        {"no server configured", {}, false, QStringLiteral("アップデート情報の取得に失敗しました。"), {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        LoopbackServer server;
        server.SetResponse(LoopbackServer::Response(200, row.body));
        ovgNet::UpdateServerConfig config;
        if (row.configured)
            config = {
                QStringLiteral("http://127.0.0.1"), QString::number(server.Port()), {}, QStringLiteral("A")};
        ovgUi::DlgAbout about(config, ProxySettings{}, nullptr);
        about.show();
        EXPECT_EQ(QStringLiteral("バージョン情報"), about.windowTitle());

        about.CheckButton()->click();
        EXPECT_FALSE(about.CheckButton()->isEnabled());
        EXPECT_EQ(QStringLiteral("アップデート情報を確認しています。"), about.Status()->text());
        ASSERT_TRUE(WaitFor([&] { return about.CheckButton()->isEnabled(); }));

        EXPECT_EQ(row.status, about.Status()->text());
        EXPECT_EQ(!row.link.isEmpty(), about.Link()->isVisible());
        if (!row.link.isEmpty()) {
            EXPECT_EQ(row.link, about.Link()->toolTip());
            EXPECT_TRUE(
                about.Link()->text().contains(QStringLiteral("href=\"") + row.link.toHtmlEscaped() + u'"'))
                << about.Link()->text().toStdString();
            EXPECT_TRUE(about.Link()->openExternalLinks());
        }
        EXPECT_EQ(row.configured ? 1 : 0, server.Requests().size());
    }
}
