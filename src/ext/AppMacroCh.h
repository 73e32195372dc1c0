#pragma once

#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

#include "filelib/GChDataIterator.h"

namespace ovgApp {

class AppCh;

// One block of a channel's data as a macro reads it: the samples between two gaps, with the
// file's times (ms since 1970 UTC) and the values as the document shows them.
class AppMacroDataBlock {
public:
    explicit AppMacroDataBlock(std::vector<OvGraphFileLib::ChSample> samples) : m_samples(std::move(samples)) {}

    // The time of the first sample; -1 for an empty block.
    int64_t GetFirstTime() const { return m_samples.empty() ? -1 : m_samples.front().time; }
    int32_t GetDataCount() const { return int32_t(m_samples.size()); }
    // The sample's time and value; returns whether the value is valid (not the invalid value).
    // An index outside 0 to count - 1 raises std::out_of_range.
    bool GetData(int32_t index, int64_t& time, double& value) const;

private:
    std::vector<OvGraphFileLib::ChSample> m_samples;
};

// A channel as a macro sees it: texts taken when the view is built, the data kind, decimal places,
// recording interval and the data blocks (read from the channel the first time they are asked
// for). The view keeps the channel alive; whether it still belongs to the document is for the
// callbacks to tell.
class AppMacroCh {
public:
    // The temperature unit the values are read in (13 Celsius, 14 Fahrenheit): the document's.
    AppMacroCh(std::shared_ptr<AppCh> channel, int32_t temperatureType);

    const std::shared_ptr<AppCh>& GetAppCh() const { return m_channel; }

    // The six texts: channel number ("No.1"), display name, unit, logger serial number, logger
    // model and logger name.
    const QString& GetChNumber() const { return m_texts[0]; }
    const QString& GetName() const { return m_texts[1]; }
    const QString& GetUnit() const { return m_texts[2]; }
    const QString& GetSerialNo() const { return m_texts[3]; }
    const QString& GetModel() const { return m_texts[4]; }
    const QString& GetLoggerName() const { return m_texts[5]; }

    int32_t GetDataKind() const { return m_kind; }
    int32_t GetDecimalPlaces() const { return m_decimalPlaces; }
    // Recording interval in ms; OvGraphFileLib::NO_INTERVAL when the channel has none.
    int64_t GetInterval() const { return m_interval; }
    int32_t GetDataBlockCount() const;
    // The block, or null for an index outside 0 to count - 1.
    const AppMacroDataBlock* GetDataBlock(int32_t index) const;

    // What kind of quantity a channel holds, as macros number them: the type override's code when
    // it is active, else by channel type (1 Celsius, 2 Fahrenheit, 3 humidity, ... 15 other).
    static int32_t DataKind(const AppCh& channel);

private:
    void ReadBlocks() const;

    std::shared_ptr<AppCh> m_channel;
    int32_t m_temperatureType;
    QString m_texts[6];
    int32_t m_kind;
    int32_t m_decimalPlaces;
    int64_t m_interval;
    mutable bool m_blocksRead = false;
    mutable std::vector<AppMacroDataBlock> m_blocks;
};

}  // namespace ovgApp
