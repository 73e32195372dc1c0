#include "ui/StartUp.h"

#include "ui/Language.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QProcess>
#include <QStandardPaths>

namespace ovgUi {

CommandLine ParseCommandLine(const QStringList& arguments)
{
    CommandLine line;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QStringLiteral("--screenshot")) {
            if (i + 1 >= arguments.size()) {
                line.error = QStringLiteral("--screenshot needs a file name");
                return line;
            }
            line.screenshot = arguments[++i];
            continue;
        }
        if (argument == QStringLiteral("--help") || argument == QStringLiteral("-h")) {
            line.help = true;
            continue;
        }
        if (argument == QStringLiteral("--version")) {
            line.version = true;
            continue;
        }
        if (argument == QStringLiteral("--language") || argument.startsWith(QStringLiteral("--language="))) {
            const bool joined = argument.contains(QLatin1Char('='));
            if (!joined && i + 1 >= arguments.size()) {
                line.error = QStringLiteral("--language needs ja or en");
                return line;
            }
            line.language = joined ? argument.section(QLatin1Char('='), 1) : arguments[++i];
            if (!IsKnownLanguage(line.language)) {
                line.error = QStringLiteral("--language needs ja or en, not %1").arg(line.language);
                return line;
            }
            continue;
        }
        // Any other option is a mistake, not the name of a file to open.
        if (argument.startsWith(QStringLiteral("--"))) {
            line.error = QStringLiteral("unknown option %1 (see --help)").arg(argument);
            return line;
        }
        const qsizetype equals = argument.indexOf(QLatin1Char('='));
        const QString name = equals > 0 ? argument.left(equals).toUpper() : QString();
        QString value = equals > 0 ? argument.mid(equals + 1) : argument;
        if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')))
            value = value.mid(1, value.size() - 2);
        if (name == QStringLiteral("REG") && value.compare(QStringLiteral("CLEAR_WORKSPACE"), Qt::CaseInsensitive) == 0)
            line.clearWorkspace = true;
        else if (name == QStringLiteral("ACC_EXT") && value == QStringLiteral("*"))
            line.associateExtensions = true;
        else if (name == QStringLiteral("FILES"))
            line.files << value;
        else if (name.isEmpty())
            line.files << value;  // a bare path
        else
            line.error = QStringLiteral("unknown option %1").arg(argument);
    }
    return line;
}

QString CommandLineUsage()
{
    return QStringLiteral(
        "Usage: orvelgraph [FILE...] [REG=CLEAR_WORKSPACE] [acc_ext=*] [--language ja|en] [--screenshot OUT.png]\n"
        "\n"
        "Opens the window, and the logger recordings or graph documents named.\n"
        "\n"
        "  REG=CLEAR_WORKSPACE     start with the panes in their first places\n"
        "  acc_ext=*               register the file types for this user and exit\n"
        "  --language ja|en        the window's language from now on (Japanese by default)\n"
        "  --screenshot OUT.png    load the files, save a picture of the window and exit\n"
        "  --help, --version       print this or the version and exit\n");
}

QString DataFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(documents).filePath(QStringLiteral("Orvel/Orvel Graph"));
}

bool EnsureDataFolder(QString* path)
{
    const QString folder = DataFolder();
    if (path) *path = folder;
    return QDir().mkpath(folder);
}

QString AssociateExtensions()
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    const QString mimeFolder = data + QStringLiteral("/mime/packages");
    const QString appFolder = data + QStringLiteral("/applications");
    const QString iconFolder = data + QStringLiteral("/icons/hicolor/scalable/apps");
    for (const QString& folder : {mimeFolder, appFolder, iconFolder})
        if (!QDir().mkpath(folder)) return QStringLiteral("cannot create %1").arg(folder);
    // The package's own files; the entry starts this very program, wherever it is.
    QFile entryTemplate(QStringLiteral(":/desktop/orvel-graph.desktop"));
    if (!entryTemplate.open(QIODevice::ReadOnly)) return QStringLiteral("cannot read the desktop entry");
    QString entry = QString::fromUtf8(entryTemplate.readAll());
    entry.replace(QStringLiteral("\nExec=orvelgraph %F\n"),
                  QStringLiteral("\nExec=\"%1\" %F\n").arg(QCoreApplication::applicationFilePath()));
    const std::pair<QString, QString> copies[] = {
        {QStringLiteral(":/desktop/orvel-graph.xml"), mimeFolder + QStringLiteral("/orvel-graph.xml")},
        {QStringLiteral(":/desktop/icons/orvel-graph.svg"), iconFolder + QStringLiteral("/orvel-graph.svg")},
    };
    for (const auto& [from, to] : copies) {
        QFile source(from), target(to);
        if (!source.open(QIODevice::ReadOnly) || !target.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            target.write(source.readAll()) < 0)
            return QStringLiteral("cannot write %1").arg(to);
    }
    QFile desktop(appFolder + QStringLiteral("/orvel-graph.desktop"));
    if (!desktop.open(QIODevice::WriteOnly | QIODevice::Truncate) || desktop.write(entry.toUtf8()) < 0)
        return QStringLiteral("cannot write %1").arg(desktop.fileName());
    desktop.close();
    // Refresh the databases when the tools are there; missing tools are not an error.
    QProcess::execute(QStringLiteral("update-mime-database"), {data + QStringLiteral("/mime")});
    QProcess::execute(QStringLiteral("update-desktop-database"), {appFolder});
    return {};
}

}  // namespace ovgUi
