#include "App/AppDebugLog.h"

#include <QDateTime>
#include <QMutex>
#include <QLoggingCategory>
#include <QSettings>
#include <deque>

namespace ovgApp {
namespace {

const QString kSetting = QStringLiteral("Settings/Debug/Log");

struct Log {
    QMutex mutex;
    std::deque<QString> lines;
    QtMessageHandler previous = nullptr;
    bool enabled = false;
};

Log& TheLog()
{
    static Log log;
    return log;
}

void Keep(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    Log& log = TheLog();
    QtMessageHandler previous = nullptr;
    {
        static const char* const kinds[] = {"debug", "warning", "critical", "fatal", "info"};
        const QString line = QDateTime::currentDateTime().toString(QStringLiteral("HH:mm:ss.zzz ")) +
                             QString::fromLatin1(kinds[std::min<int>(type, 4)]) + QStringLiteral(": ") + message;
        QMutexLocker lock(&log.mutex);
        log.lines.push_back(line);
        while (log.lines.size() > size_t(AppDebugLog::kKeptLines)) log.lines.pop_front();
        previous = log.previous;
    }
    if (previous) previous(type, context, message);
}

}  // namespace

void AppDebugLog::SetEnabled(bool on)
{
    Log& log = TheLog();
    QSettings().setValue(kSetting, on);
    if (on == log.enabled) return;
    log.enabled = on;
    // The program's own step-by-step lines (the update check's) come while the log is on.
    QLoggingCategory::setFilterRules(on ? QStringLiteral("orvel.*.debug=true") : QString());
    if (on)
        log.previous = qInstallMessageHandler(&Keep);
    else
        qInstallMessageHandler(log.previous);
}

bool AppDebugLog::IsEnabled() { return TheLog().enabled; }

void AppDebugLog::Restore() { SetEnabled(QSettings().value(kSetting, false).toBool()); }

QStringList AppDebugLog::RecentLines()
{
    Log& log = TheLog();
    QMutexLocker lock(&log.mutex);
    return QStringList(log.lines.begin(), log.lines.end());
}

void AppDebugLog::Clear()
{
    Log& log = TheLog();
    QMutexLocker lock(&log.mutex);
    log.lines.clear();
}

}  // namespace ovgApp
