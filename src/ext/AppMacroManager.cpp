#include "ext/AppMacroManager.h"

#include <QCoreApplication>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJSEngine>
#include <QSettings>

#include "ext/AppMacroCallbacks.h"
#include "ext/MacroScriptObjects.h"
#include "ext/MacroWatchdog.h"

namespace ovgApp {
namespace {

const QString kCountKey = QStringLiteral("Settings/UpdateInfo/ExecuteMacroCount");
const QString kSampleFolderName = QStringLiteral("サンプル");
const QString kBundledSamples = QStringLiteral(":/macros/samples");

// The line number of an error: the error object's own, else the top of the stack trace
// ("function:line:column:file").
int ErrorLine(const QJSValue& error, const QStringList& stackTrace)
{
    const QJSValue line = error.property(QStringLiteral("lineNumber"));
    if (line.isNumber()) return line.toInt();
    if (!stackTrace.isEmpty()) {
        const QStringList parts = stackTrace.front().split(QLatin1Char(':'));
        if (parts.size() >= 2) return parts[1].toInt();
    }
    return 0;
}

}  // namespace

AppMacroManager::AppMacroManager(std::shared_ptr<AppMacroCallbacks> callbacks, QString macroFolder)
    : m_callbacks(std::move(callbacks)), m_macroFolder(std::move(macroFolder))
{
    m_executionCount = QSettings().value(kCountKey, 0).toLongLong();
}

AppMacroManager::~AppMacroManager()
{
    QSettings().setValue(kCountKey, qlonglong(m_executionCount));
}

QString AppMacroManager::GetSampleFolder() const
{
    return QDir(m_macroFolder).filePath(kSampleFolderName);
}

QStringList AppMacroManager::ListMacroFiles(const QString& folder)
{
    QStringList files;
    const QFileInfoList entries = QDir(folder).entryInfoList(QDir::Files, QDir::Name);
    for (const QFileInfo& entry : entries)
        if (entry.suffix() == QLatin1String("js")) files << entry.absoluteFilePath();
    return files;
}

bool AppMacroManager::InstallSamples() const
{
    const QString folder = GetSampleFolder();
    if (!QDir().mkpath(folder)) return false;
    const QFileInfoList bundled = QDir(kBundledSamples).entryInfoList(QDir::Files, QDir::Name);
    for (const QFileInfo& sample : bundled) {
        const QString target = QDir(folder).filePath(sample.fileName());
        if (QFileInfo::exists(target)) continue;
        if (!QFile::copy(sample.filePath(), target)) return false;
        // Resources are read-only; the user's copy is theirs to edit.
        QFile::setPermissions(target,
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    }
    return true;
}

std::optional<AppMacroManager::Error> AppMacroManager::RunFile(const QString& path)
{
    ++m_executionCount;
    QSettings().setValue(kCountKey, qlonglong(m_executionCount));

    // A fresh engine per run: nothing one script defined reaches the next.
    m_engine.reset();
    m_engine = std::make_unique<QJSEngine>();
    m_engine->installExtensions(QJSEngine::ConsoleExtension);
    auto* app = new MacroApp(*m_callbacks, *m_engine);
    m_engine->globalObject().setProperty(QStringLiteral("app"), m_engine->newQObject(app));

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Error{QCoreApplication::translate("AppMacroManager", "マクロファイルを開けません。"), 0,
                     file.errorString()};
    const QString source = QString::fromUtf8(file.readAll());

    m_callbacks->Begin();
    QStringList stackTrace;
    QJSValue result;
    bool interrupted = false;
    {
        MacroWatchdog watchdog(*m_engine, m_timeLimit);
        app->SetWatchdog(&watchdog);
        result = m_engine->evaluate(source, path, 1, &stackTrace);
        app->SetWatchdog(nullptr);
        // A script that ended just as the limit passed has not been stopped.
        interrupted = watchdog.Stop() && result.isError();
    }
    m_callbacks->End();

    if (!interrupted && !result.isError() && stackTrace.isEmpty()) return std::nullopt;
    Error error;
    error.line = ErrorLine(result, stackTrace);
    error.message = interrupted
                        ? QCoreApplication::translate("AppMacroManager",
                                                      "実行時間が %1 秒を超えたため、マクロを中断しました。")
                              .arg(m_timeLimit.count() / 1000.0)
                        : result.toString();
    const QStringList lines = source.split(QLatin1Char('\n'));
    if (error.line >= 1 && error.line <= lines.size()) error.detail = lines[error.line - 1].trimmed();
    return error;
}

QString AppMacroManager::ErrorText(const QString& path, const Error& error)
{
    const QFileInfo info(path);
    return QCoreApplication::translate("AppMacroManager", "マクロ実行中にエラーが発生しました。") +
           QLatin1Char('\n') + error.message + QLatin1Char('\n') + QLatin1Char('\n') +
           QStringLiteral("Path:") + QDir::toNativeSeparators(info.absolutePath()) + QLatin1Char('\n') +
           QStringLiteral("File:") + info.fileName() + QLatin1Char('\n') + QStringLiteral("Line ") +
           QString::number(error.line) + QLatin1Char(':') + error.detail + QLatin1Char('\n');
}

}  // namespace ovgApp
