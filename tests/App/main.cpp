// The application-model tests need settings and standard paths, and fonts for the graphs that
// documents are saved from and opened into: a QGuiApplication without a display.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QStandardPaths>

#include "../IsolatedHome.h"

int main(int argc, char** argv)
{
    const IsolatedHome home;
    QStandardPaths::setTestModeEnabled(true);  // settings and files go to a test location
    // Texts that use the computer's time zone read the same on every developer's machine; tests
    // of other zones set their own.
    qputenv("TZ", "UTC");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("OrvelTest"));
    QCoreApplication::setApplicationName(QStringLiteral("OrvelGraphTest"));
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
