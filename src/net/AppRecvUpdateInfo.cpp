#include "net/AppRecvUpdateInfo.h"

#include <QDateTime>
#include <QSettings>
#include <QtEndian>

#include "Common/Library/ProfileValue.h"

namespace ovgNet {
namespace {

const QString kSection = QStringLiteral("Settings/UpdateInfo");
const QString kRecvTimeKey = kSection + QStringLiteral("/RecvTime");

ovgApp::ProfileValue<int32_t> ConfirmedAutoRecvValue()
{
    return {kSection, QStringLiteral("ConfirmedAutoRecv"), 0};
}
ovgApp::ProfileValue<int32_t> AutoRecvValue()
{
    return {kSection, QStringLiteral("AutoRecv"), 0};
}

}  // namespace

bool IsCheckDue(int64_t recvTimeSec, int64_t nowSec)
{
    const QDate last = QDateTime::fromSecsSinceEpoch(recvTimeSec, Qt::LocalTime).date();
    const QDate today = QDateTime::fromSecsSinceEpoch(nowSec, Qt::LocalTime).date();
    return last != today;
}

AppRecvUpdateInfo::AppRecvUpdateInfo(SettingsOpener open) : m_open(std::move(open))
{
    if (!m_open) m_open = [] { return std::make_unique<QSettings>(); };
}

void AppRecvUpdateInfo::Load()
{
    const std::unique_ptr<QSettings> settings = m_open();
    m_confirmedAutoRecv = ConfirmedAutoRecvValue().Read(*settings) != 0 ? 1 : 0;
    m_autoRecv = AutoRecvValue().Read(*settings) != 0 ? 1 : 0;
    m_recvTime = DecodeRecvTime(settings->value(kRecvTimeKey).toByteArray());
}

void AppRecvUpdateInfo::Save() const
{
    const std::unique_ptr<QSettings> settings = m_open();
    ConfirmedAutoRecvValue().Write(*settings, m_confirmedAutoRecv);
    AutoRecvValue().Write(*settings, m_autoRecv);
    settings->setValue(kRecvTimeKey, EncodeRecvTime(m_recvTime));
}

void AppRecvUpdateInfo::OnReceived(bool success, bool hasNewerVersion, const QString& downloadUrl)
{
    m_recvTime = QDateTime::currentSecsSinceEpoch();
    m_received = true;
    m_success = success;
    m_hasNewerVersion = success && hasNewerVersion;
    m_downloadUrl = success ? downloadUrl : QString();
    // The user may have used the Help toggle while the check ran: keep that, write the time.
    const int64_t recvTime = m_recvTime;
    Load();
    m_recvTime = recvTime;
    Save();
}

QByteArray AppRecvUpdateInfo::EncodeRecvTime(int64_t seconds)
{
    QByteArray bytes(8, '\0');
    qToLittleEndian<qint64>(seconds, bytes.data());
    return bytes;
}

int64_t AppRecvUpdateInfo::DecodeRecvTime(const QByteArray& bytes)
{
    return bytes.size() == 8 ? qFromLittleEndian<qint64>(bytes.constData()) : 0;
}

}  // namespace ovgNet
