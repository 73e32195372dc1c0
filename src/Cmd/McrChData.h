#pragma once

#include <QString>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "Cmd/AppContext.h"
#include "Common/Library/Mcr.h"
#include "filelib/Result.h"
#include "filelib/ThinData.h"

namespace ovgApp {

class AppCh;
using AppChList = std::vector<std::shared_ptr<AppCh>>;

// The commands of the tools that change channel data: each is one undo step whose undo gives the
// data back exactly as they were. A command without effect (nothing to delete, an offset of 0) is
// not valid and is not recorded. Channels that are not in the document raise SeriousError.

// Deletes the data of the channels before `from` and after `to` (the logger's local time in seconds
// since 1970, as the graph and the data table show it; either may be absent), so that the channels
// keep [from, to]. One CmdAppDeleteChData step per channel that holds data to delete.
class McrChDeleteData : public orvel::Mcr {
public:
    McrChDeleteData(AppContext context, AppChList channels, std::optional<double> from, std::optional<double> to,
                    std::u16string name = u"McrChDeleteData");

protected:
    struct Range {
        std::optional<double> from, to;
    };
    // The local-time range a channel keeps.
    virtual Range KeptRange(const AppCh& channel) const;
    void Prepare() override;

private:
    AppContext m_context;
    AppChList m_channels;
    std::optional<double> m_from, m_to;
};

// Deletes the data of the channels outside the time range the graph shows (each channel's time
// axis; a channel not in the graph keeps its data).
class McrChDeleteOutsideData : public McrChDeleteData {
public:
    McrChDeleteOutsideData(AppContext context, const AppChList& channels);

protected:
    Range KeptRange(const AppCh& channel) const override;
};

// Shifts the sample times of channels, each by its own offset in ms.
class McrChSetOffsetTime : public orvel::Mcr {
public:
    using Offsets = std::vector<std::pair<std::shared_ptr<AppCh>, int64_t>>;
    McrChSetOffsetTime(AppContext context, Offsets offsets);

protected:
    void Prepare() override;

private:
    AppContext m_context;
    Offsets m_offsets;
};

// Merges the data of the channels into one channel, blocks ordered by their first time; where
// recordings overlap, the earlier block's records are kept. Keeping the sources adds the merged
// channel at the end of the document; otherwise it takes the place (position, axes, look) of the
// source that comes first in the document and the other sources are deleted.
class McrChMerge : public orvel::Mcr {
public:
    McrChMerge(AppContext context, AppChList channels, bool keepSources);
    // Why the channels cannot be merged (fewer than two, different kinds of data); empty when they can.
    static QString Check(const AppChList& channels);

protected:
    void Prepare() override;

private:
    AppContext m_context;
    AppChList m_channels;
    bool m_keepSources;
};

// Adds the dew point channel of a temperature and a humidity channel. When a check fails nothing is
// added, the command is not valid and GetError says why.
class McrDewPointMaker : public orvel::Mcr {
public:
    McrDewPointMaker(AppContext context, std::shared_ptr<AppCh> temperature, std::shared_ptr<AppCh> humidity);
    const QString& GetError() const { return m_error; }
    // The channel added, once executed.
    const std::shared_ptr<AppCh>& GetChannel() const { return m_channel; }

protected:
    void Prepare() override;

private:
    AppContext m_context;
    std::shared_ptr<AppCh> m_temperature, m_humidity;
    std::shared_ptr<AppCh> m_channel;
    QString m_error;
};

// Thins channels (one value per window of their file data). The origin is given in the logger's
// local time (ms since 1970 as shown), so windows line up with the clock the user reads. The
// thinned data either replace each channel's data or become new channels at the end of the
// document, named after the source and the method. When a channel cannot be thinned nothing
// changes, the command is not valid and GetResult says why.
class McrThinData : public orvel::Mcr {
public:
    enum class Output { kNewChannels, kReplaceData };
    McrThinData(AppContext context, AppChList channels, OvGraphFileLib::ThinDataPrm prm, Output output);
    const OvGraphFileLib::Result& GetResult() const { return m_result; }
    // "サンプル", "最小値", "最大値", "合計" or "平均".
    static QString MethodName(int32_t method);

protected:
    void Prepare() override;

private:
    AppContext m_context;
    AppChList m_channels;
    OvGraphFileLib::ThinDataPrm m_prm;
    Output m_output;
    OvGraphFileLib::Result m_result;
};

}  // namespace ovgApp
