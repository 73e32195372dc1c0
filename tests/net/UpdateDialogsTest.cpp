#include <gtest/gtest.h>

#include <QLineEdit>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <optional>

#include "LoopbackServer.h"  // readable failure messages
#include "net/ProxySettings.h"
#include "ui/DlgProxySetup.h"
#include "ui/Reporter.h"

using ovgNet::ProxySettings;
using P = ProxySettings;

namespace {

class RecordingReporter : public ovgUi::StreamReporter {
public:
    RecordingReporter() : StreamReporter(stderr, {}) {}
    void Warning(QWidget*, const QString& text) override { warnings << text; }
    QStringList warnings;
};

}  // namespace

// Types: 1 the system's proxy, 2 the given proxy server.
TEST(DlgProxySetup, ShowsTheStoredChoiceRefusesAnEmptyAddressAndStoresTheRest)
{
    const struct {
        const char* name;
        QVariant type, addr, port;             // stored before; invalid: absent
        ProxySettings shown;                   // read back, values out of range replaced
        std::optional<ProxySettings> entered;  // none: OK as shown
        ProxySettings stored;
        bool refused = false;
    } rows[] = {
        {"nothing stored", {}, {}, {}, {1, {}, 8080}, {}, {1, {}, 8080}},
        {"manual", 2, "127.0.0.1", 3128, {2, "127.0.0.1", 3128}, {}, {2, "127.0.0.1", 3128}},
        {"automatic keeps the address", 1, "proxy", 1, {1, "proxy", 1}, {}, {1, "proxy", 1}},
        {"highest port", 2, "p", 65535, {2, "p", 65535}, {}, {2, "p", 65535}},
        {"unknown type", 3, {}, {}, {1, {}, 8080}, {}, {1, {}, 8080}},
        {"port 0", 2, "p", 0, {2, "p", 8080}, {}, {2, "p", 8080}},
        {"port 65536", 2, "p", 65536, {2, "p", 8080}, {}, {2, "p", 8080}},
        {"port as words", 2, "p", "x", {2, "p", 8080}, {}, {2, "p", 8080}},
        {"proxy entered", {}, {}, {}, {1, {}, 8080}, P{2, " 127.0.0.1 ", 3128}, {2, "127.0.0.1", 3128}},
        {"automatic chosen", 2, "p", 3128, {2, "p", 3128}, P{1, "p", 3128}, {1, "p", 3128}},
        {"proxy without an address", {}, {}, {}, {1, {}, 8080}, P{2, "  ", 3128}, {1, {}, 8080}, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QTemporaryDir dir;
        const QString ini = dir.filePath("settings.ini");
        {
            QSettings before(ini, QSettings::IniFormat);
            for (const auto& [key, value] :
                 {std::pair{"Type", row.type}, std::pair{"Addr", row.addr}, std::pair{"Port", row.port}})
                if (value.isValid()) before.setValue(QStringLiteral("Settings/Proxy/") + key, value);
        }
        QSettings settings(ini, QSettings::IniFormat);
        ProxySettings read;
        read.Load(settings);
        EXPECT_EQ(row.shown, read);

        RecordingReporter reporter;
        ovgUi::DlgProxySetup dialog(settings, reporter, nullptr);
        dialog.show();
        const auto shows = [&](const ProxySettings& expected) {
            EXPECT_EQ(expected.type == 1, dialog.Automatic()->isChecked());
            EXPECT_EQ(expected.type == 2, dialog.UseProxy()->isChecked());
            EXPECT_EQ(expected.type == 2, dialog.Address()->isEnabled());
            EXPECT_EQ(expected.type == 2, dialog.Port()->isEnabled());
            EXPECT_EQ(expected.addr, dialog.Address()->text());
            EXPECT_EQ(expected.port, dialog.Port()->value());
        };
        shows(row.shown);
        if (row.entered) {
            (row.entered->type == 2 ? dialog.UseProxy() : dialog.Automatic())->setChecked(true);
            dialog.Address()->setText(row.entered->addr);
            dialog.Port()->setValue(row.entered->port);
            shows(*row.entered);
        }
        dialog.accept();

        EXPECT_EQ(row.refused, dialog.isVisible());
        EXPECT_EQ(row.refused ? QStringList{"プロキシサーバのアドレスを入力してください。"} : QStringList{},
                  reporter.warnings);
        settings.sync();
        const QSettings after(ini, QSettings::IniFormat);
        ProxySettings stored;
        stored.Load(after);
        EXPECT_EQ(row.stored, stored);
        EXPECT_EQ(!row.refused, after.contains("Settings/Proxy/Type"));
    }
}
