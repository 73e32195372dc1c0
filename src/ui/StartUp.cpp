#include "ui/StartUp.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTranslator>

namespace ovgUi {

bool LoadToolkitTranslations()
{
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    return true;
}

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
    if (!QDir().mkpath(mimeFolder) || !QDir().mkpath(appFolder)) return QStringLiteral("cannot create %1").arg(data);
    QString mime = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                  "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n");
    const QStringList extensions = {QStringLiteral("kmq"), QStringLiteral("kmv"), QStringLiteral("kaq"), QStringLiteral("kac"),
                                    QStringLiteral("ke8"), QStringLiteral("kej"), QStringLiteral("kad"), QStringLiteral("kmw"),
                                    QStringLiteral("ks2"), QStringLiteral("ks3"), QStringLiteral("kn1"), QStringLiteral("kn2"),
                                    QStringLiteral("cra"), QStringLiteral("kmb")};
    QStringList types;
    for (const QString& extension : extensions) {
        const QString type = QStringLiteral("application/x-orvel-%1").arg(extension);
        types << type;
        mime += QStringLiteral("  <mime-type type=\"%1\">\n    <comment>Orvel Graph %2 file</comment>\n"
                               "    <glob pattern=\"*.%3\"/>\n  </mime-type>\n")
                    .arg(type, extension.toUpper(), extension);
    }
    mime += QStringLiteral("</mime-info>\n");
    QFile mimeFile(mimeFolder + QStringLiteral("/orvel-graph.xml"));
    if (!mimeFile.open(QIODevice::WriteOnly | QIODevice::Truncate) || mimeFile.write(mime.toUtf8()) < 0)
        return QStringLiteral("cannot write %1").arg(mimeFile.fileName());
    mimeFile.close();
    QFile desktop(appFolder + QStringLiteral("/orvel-graph.desktop"));
    const QString entry = QStringLiteral("[Desktop Entry]\nType=Application\nName=Orvel Graph\nExec=\"%1\" %F\n"
                                         "MimeType=%2;\nCategories=Science;Utility;\nTerminal=false\n")
                              .arg(QCoreApplication::applicationFilePath(), types.join(QLatin1Char(';')));
    if (!desktop.open(QIODevice::WriteOnly | QIODevice::Truncate) || desktop.write(entry.toUtf8()) < 0)
        return QStringLiteral("cannot write %1").arg(desktop.fileName());
    desktop.close();
    // Refresh the databases when the tools are there; missing tools are not an error.
    QProcess::execute(QStringLiteral("update-mime-database"), {data + QStringLiteral("/mime")});
    QProcess::execute(QStringLiteral("update-desktop-database"), {appFolder});
    return {};
}

}  // namespace ovgUi
