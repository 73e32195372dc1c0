// orvelgraph: the desktop application.
#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>
#include <QSettings>
#include <QTimer>
#include <cstdio>
#include <optional>

#include "App/AppDebugLog.h"
#include "App/AppInfo.h"
#include "ext/AppMacroManager.h"
#include "ui/Language.h"
#include "ui/MainWindow.h"
#include "ui/Reporter.h"
#include "ui/StartUp.h"
#include "ui/UpdateCheckStartUp.h"
#include "ui/WindowStyles.h"

namespace {

void SetIdentity()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Orvel"));
    QCoreApplication::setApplicationName(ovgApp::AppInfo::Name());
    QCoreApplication::setApplicationVersion(ovgApp::AppInfo::VersionNumber());
}

// --help, --version, a mistake on the command line and acc_ext=* are answered without a window,
// so they work where there is no display too. Null when the window has to start.
std::optional<int> AnswerWithoutWindow(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    SetIdentity();
    const ovgUi::CommandLine line = ovgUi::ParseCommandLine(QCoreApplication::arguments());
    // A language given on the command line is kept for the next starts too.
    if (line.error.isEmpty() && !line.language.isEmpty()) ovgUi::SaveLanguage(line.language);
    if (!line.error.isEmpty()) {
        std::fprintf(stderr, "orvelgraph: %s\n", qPrintable(line.error));
        return 2;
    }
    if (line.help || line.version) {
        ovgUi::InstallTranslations(ovgUi::LoadLanguage());
        const QString text = line.help
                                 ? ovgUi::CommandLineUsage()
                                 : QStringLiteral("orvelgraph %1\n").arg(ovgApp::AppInfo::VersionNumber());
        std::fputs(text.toUtf8().constData(), stdout);
        return 0;
    }
    if (line.associateExtensions) {
        const QString error = ovgUi::AssociateExtensions();
        if (!error.isEmpty()) std::fprintf(stderr, "orvelgraph: %s\n", qPrintable(error));
        return error.isEmpty() ? 0 : 1;
    }
    return std::nullopt;
}

}  // namespace

int main(int argc, char** argv)
{
    if (const std::optional<int> status = AnswerWithoutWindow(argc, argv)) return *status;
    QApplication app(argc, argv);
    SetIdentity();
    ovgUi::ApplyWindowStyle(app, ovgUi::LoadWindowStyle());
    ovgApp::AppDebugLog::Restore();
    ovgUi::InstallTranslations(ovgUi::LoadLanguage());
    const ovgUi::CommandLine line = ovgUi::ParseCommandLine(QCoreApplication::arguments());
    // The screenshot mode runs without a user: no message may wait for one.
    const bool unattended = !line.screenshot.isEmpty();
    QString dataFolder;
    if (!ovgUi::EnsureDataFolder(&dataFolder)) {
        const QString message =
            QCoreApplication::translate("main", "フォルダの作成が失敗しました。\n") + dataFolder;
        if (unattended)
            std::fprintf(stderr, "orvelgraph: %s\n", message.toUtf8().constData());
        else
            QMessageBox::critical(nullptr, QStringLiteral("Orvel Graph"), message);
        return 1;
    }
    if (line.clearWorkspace) {
        QSettings settings;
        settings.remove(QStringLiteral("Workspace"));
    }

    ovgUi::MainWindow window;
    // The samples appear under Tools > Macro; a folder out of reach only leaves the menu empty.
    window.Macros().InstallSamples();
    if (unattended) {
        // Failed files and warnings go to standard error; the picture is written all the same,
        // and the exit status tells that something was reported.
        auto reporter = std::make_shared<ovgUi::StreamReporter>(stderr, QStringLiteral("orvelgraph"));
        window.SetReporter(reporter);
        window.show();
        window.resize(1400, 900);
        window.OpenFilesAndWait(line.files);
        QCoreApplication::processEvents();
        const bool saved = window.grab().save(line.screenshot, "PNG");
        if (!saved) std::fprintf(stderr, "orvelgraph: cannot write %s\n", qPrintable(line.screenshot));
        return saved && reporter->FailedFileCount() == 0 && reporter->WarningCount() == 0 ? 0 : 1;
    }
    window.show();
    // Last of the start-up, once the command line's files are in: the first-run question and the
    // daily update check.
    const auto checkForUpdates = [&window] { ovgUi::StartUpdateCheckAtStartUp(&window); };
    if (line.files.isEmpty()) {
        QTimer::singleShot(0, &window, checkForUpdates);
    } else {
        QObject::connect(&window, &ovgUi::MainWindow::filesOpened, &window, checkForUpdates,
                         Qt::SingleShotConnection);
        QTimer::singleShot(0, &window, [&window, files = line.files] { window.OpenFiles(files); });
    }
    return app.exec();
}
