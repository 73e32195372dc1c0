// The application-model tests need a QCoreApplication (settings, standard paths); no display.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QStandardPaths>

#include "../IsolatedHome.h"

int main(int argc, char** argv)
{
    const IsolatedHome home;
    QStandardPaths::setTestModeEnabled(true);  // settings and files go to a test location
    // Texts that use the computer's time zone read the same on every developer's machine; tests
    // of other zones set their own.
    qputenv("TZ", "UTC");
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("OrvelTest"));
    QCoreApplication::setApplicationName(QStringLiteral("OrvelGraphTest"));
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
