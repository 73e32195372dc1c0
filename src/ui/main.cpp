// orvelgraph: the desktop application.
#include <QApplication>
#include <QMessageBox>
#include <QSettings>
#include <QTimer>
#include <cstdio>

#include "ui/MainWindow.h"
#include "ui/StartUp.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Orvel"));
    QCoreApplication::setApplicationName(QStringLiteral("Orvel Graph"));
    QCoreApplication::setApplicationVersion(QStringLiteral("0.1.0"));

    const ovgUi::CommandLine line = ovgUi::ParseCommandLine(QCoreApplication::arguments());
    if (!line.error.isEmpty()) {
        std::fprintf(stderr, "orvelgraph: %s\n", qPrintable(line.error));
        return 2;
    }
    if (line.associateExtensions) {
        const QString error = ovgUi::AssociateExtensions();
        if (!error.isEmpty()) std::fprintf(stderr, "orvelgraph: %s\n", qPrintable(error));
        return error.isEmpty() ? 0 : 1;
    }
    QString dataFolder;
    if (!ovgUi::EnsureDataFolder(&dataFolder)) {
        QMessageBox::critical(nullptr, QStringLiteral("Orvel Graph"), QStringLiteral("フォルダの作成が失敗しました。\n") + dataFolder);
        return 1;
    }
    if (line.clearWorkspace) {
        QSettings settings;
        settings.remove(QStringLiteral("Workspace"));
    }

    ovgUi::MainWindow window;
    window.show();
    if (!line.screenshot.isEmpty()) {
        window.resize(1400, 900);
        window.OpenFilesAndWait(line.files);
        QCoreApplication::processEvents();
        const bool saved = window.grab().save(line.screenshot, "PNG");
        if (!saved) std::fprintf(stderr, "orvelgraph: cannot write %s\n", qPrintable(line.screenshot));
        return saved ? 0 : 1;
    }
    if (!line.files.isEmpty()) QTimer::singleShot(0, &window, [&window, files = line.files] { window.OpenFiles(files); });
    return app.exec();
}
