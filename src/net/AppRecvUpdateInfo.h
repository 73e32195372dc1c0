#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

#include "net/OnEventListener.h"

class QSettings;

namespace ovgNet {

// A check is due unless the last one completed earlier on the same local calendar day.
// Both times in seconds since 1970-01-01 UTC.
bool IsCheckDue(int64_t recvTimeSec, int64_t nowSec);

// The application's side of the update check, section "Settings/UpdateInfo":
// ConfirmedAutoRecv (0 until the first-run question was answered), AutoRecv (check at start-up)
// and RecvTime (8 bytes, the last completed check as signed 64-bit little-endian seconds since
// 1970 UTC). Used on the user-interface thread.
class AppRecvUpdateInfo : public OnEventListener {
public:
    // Opens the store to read and write; the default opens the application's QSettings.
    using SettingsOpener = std::function<std::unique_ptr<QSettings>()>;

    explicit AppRecvUpdateInfo(SettingsOpener open = {});

    void Load();
    // Writes ConfirmedAutoRecv, AutoRecv and RecvTime.
    void Save() const;

    // Stores now as RecvTime, keeps the outcome and writes the three keys.
    void OnReceived(bool success, bool hasNewerVersion, const QString& downloadUrl) override;

    bool IsConfirmedAutoRecv() const { return m_confirmedAutoRecv != 0; }
    void SetConfirmedAutoRecv(bool on) { m_confirmedAutoRecv = on ? 1 : 0; }
    bool IsAutoRecv() const { return m_autoRecv != 0; }
    void SetAutoRecv(bool on) { m_autoRecv = on ? 1 : 0; }
    int64_t GetRecvTime() const { return m_recvTime; }

    // The outcome of the last check this object was told of.
    bool IsReceived() const { return m_received; }
    bool IsSuccess() const { return m_success; }
    bool HasNewerVersion() const { return m_hasNewerVersion; }
    const QString& GetDownloadUrl() const { return m_downloadUrl; }

    // RecvTime's stored form; bytes that are not 8 long read as 0 (never checked).
    static QByteArray EncodeRecvTime(int64_t seconds);
    static int64_t DecodeRecvTime(const QByteArray& bytes);

private:
    SettingsOpener m_open;
    int m_confirmedAutoRecv = 0;
    int m_autoRecv = 0;
    int64_t m_recvTime = 0;
    bool m_received = false;
    bool m_success = false;
    bool m_hasNewerVersion = false;
    QString m_downloadUrl;
};

}  // namespace ovgNet
