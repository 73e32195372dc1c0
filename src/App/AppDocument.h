#pragma once

#include <QString>
#include <memory>
#include <vector>

#include "App/AppDateInfo.h"

namespace ovgApp {

class AppCh;
class PrmScaleExpr;

// The application document: the ordered channel list (order = channel numbers = export order)
// and the settings all channels share. Lives on the user-interface thread.
class AppDocument {
public:
    AppDocument();
    ~AppDocument();

    bool IsFresh() const { return m_fresh; }
    void SetFresh(bool fresh) { m_fresh = fresh; }

    const std::vector<std::shared_ptr<AppCh>>& GetChannels() const { return m_channels; }
    // The document holds the channel; an undo can put the same object back.
    void AddChannel(std::shared_ptr<AppCh> channel);
    void InsertChannel(size_t index, std::shared_ptr<AppCh> channel);
    void RemoveChannel(const AppCh* channel);
    // The channel's position, or -1 when it is not in the document.
    int IndexOf(const AppCh* channel) const;

    // The no-conversion expression every channel starts with and falls back to.
    const std::shared_ptr<PrmScaleExpr>& GetDefaultScaleExpr() const { return m_defaultScaleExpr; }
    std::vector<std::shared_ptr<PrmScaleExpr>>& GetScaleExprs() { return m_scaleExprs; }

    // 13 (Celsius) or 14 (Fahrenheit), shared by every temperature channel.
    int32_t GetTemperatureDisplayType() const { return m_temperatureDisplayType; }
    // Applies to every temperature channel of the document.
    void SetTemperatureDisplayType(int32_t type);

    // The computer's time zone bias in minutes (UTC minus local time), for channels that carry no
    // time difference.
    int32_t GetTimeZoneBias() const { return m_timeZoneBias; }
    void SetTimeZoneBias(int32_t minutes) { m_timeZoneBias = minutes; }
    static int32_t SystemTimeZoneBias();

    // How every view outside the axis labels writes dates and times.
    AppDateInfo& GetDateInfo() { return m_dateInfo; }
    const AppDateInfo& GetDateInfo() const { return m_dateInfo; }

    const QString& GetMemo() const { return m_memo; }
    void SetMemo(const QString& memo) { m_memo = memo; }

private:
    bool m_fresh = true;
    std::vector<std::shared_ptr<AppCh>> m_channels;
    std::shared_ptr<PrmScaleExpr> m_defaultScaleExpr;
    std::vector<std::shared_ptr<PrmScaleExpr>> m_scaleExprs;
    int32_t m_temperatureDisplayType = 13;
    int32_t m_timeZoneBias = 0;
    AppDateInfo m_dateInfo;
    QString m_memo;
};

}  // namespace ovgApp
