// The command tests build graphs, whose legends and axes measure text: a QGuiApplication without a
// display provides the fonts.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QStandardPaths>

#include "../IsolatedHome.h"

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const IsolatedHome home;
    QStandardPaths::setTestModeEnabled(true);  // settings and files go to a test location
    QGuiApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("OrvelTest"));
    QCoreApplication::setApplicationName(QStringLiteral("OrvelGraphTest"));
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
