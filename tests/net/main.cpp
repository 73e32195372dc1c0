// The network tests run the loopback server and the dialogs on one event loop; no display.
#include <gtest/gtest.h>

#include <QApplication>
#include <QStandardPaths>

#include "../IsolatedHome.h"
#include <ctime>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Nothing may leave the machine: no proxy from the environment.
    for (const char* name :
         {"http_proxy", "https_proxy", "HTTP_PROXY", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"})
        qunsetenv(name);
    // A local time nine hours from UTC, so the day rule's local dates differ from UTC's.
    qputenv("TZ", "JST-9");
    tzset();
    const IsolatedHome home;
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("OrvelTest"));
    QCoreApplication::setApplicationName(QStringLiteral("OrvelGraphNetTest"));
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
