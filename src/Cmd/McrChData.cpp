#include "Cmd/McrChData.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

#include "App/AppCh.h"
#include "App/AppDocument.h"
#include "App/DewPointMaker.h"
#include "App/PrmScaleExpr.h"
#include "Cmd/CmdAppAddCh.h"
#include "Cmd/CmdAppDeleteCh.h"
#include "Cmd/CmdAppSetFileCh.h"
#include "Cmd/McrGraphCmds.h"
#include "Common/Library/SeriousError.h"
#include "filelib/CalcCh.h"
#include "filelib/GCh.h"
#include "graph/Axis.h"

namespace ovgApp {
namespace {

// The channels once each, in document order, so that steps on one channel never follow each other
// (a group's steps are undone first to last) and positions restore in order. A channel that is not
// in the document is a programming error.
AppChList InDocumentOrder(const AppContext& context, AppChList channels)
{
    for (const auto& channel : channels)
        if (!channel || context.document.IndexOf(channel.get()) < 0)
            ORVEL_SERIOUS_ERROR("channel not in the document");
    const auto position = [&context](const std::shared_ptr<AppCh>& channel) {
        return context.document.IndexOf(channel.get());
    };
    std::sort(channels.begin(), channels.end(),
              [&](const auto& a, const auto& b) { return position(a) < position(b); });
    channels.erase(std::unique(channels.begin(), channels.end()), channels.end());
    return channels;
}

// A local time (seconds, as shown) as the channel's file time in ms.
double FileTimeOf(const AppCh& channel, double localSeconds)
{
    return (localSeconds - channel.GetLocalTimeOffset()) * 1000.0;
}

int64_t ClampToTime(double ms)
{
    constexpr double kLimit = 9.2e18;
    return int64_t(std::clamp(ms, -kLimit, kLimit));
}

}  // namespace

McrChDeleteData::McrChDeleteData(AppContext context, AppChList channels, std::optional<double> from,
                                 std::optional<double> to, std::u16string name)
    : Mcr(std::move(name)), m_context(context), m_channels(std::move(channels)), m_from(from), m_to(to)
{
}

void McrChDeleteData::Prepare()
{
    for (const auto& channel : InDocumentOrder(m_context, m_channels)) {
        // Records at the bounds stay: before `from` means earlier than it, after `to` later than it.
        const auto [from, to] = KeptRange(*channel);
        std::vector<CmdAppDeleteChData::Cut> cuts;
        if (from)
            cuts.push_back(
                {ClampToTime(std::ceil(FileTimeOf(*channel, *from))), CmdAppDeleteChData::kBefore});
        if (to)
            cuts.push_back({ClampToTime(std::floor(FileTimeOf(*channel, *to))), CmdAppDeleteChData::kAfter});
        if (!cuts.empty())
            AddChild(std::make_shared<CmdAppDeleteChData>(m_context, channel, std::move(cuts)));
    }
}

McrChDeleteData::Range McrChDeleteData::KeptRange(const AppCh&) const
{
    return {m_from, m_to};
}

McrChDeleteOutsideData::McrChDeleteOutsideData(AppContext context, const AppChList& channels)
    : McrChDeleteData(context, channels, std::nullopt, std::nullopt, u"McrChDeleteOutsideData")
{
}

McrChDeleteData::Range McrChDeleteOutsideData::KeptRange(const AppCh& channel) const
{
    const auto& axis = channel.GetTimeAxis();
    if (!axis) return {};
    return {axis->GetDisplayMin(), axis->GetDisplayMax()};
}

McrChSetOffsetTime::McrChSetOffsetTime(AppContext context, Offsets offsets)
    : Mcr(u"McrChSetOffsetTime"), m_context(context), m_offsets(std::move(offsets))
{
}

void McrChSetOffsetTime::Prepare()
{
    // Shifts commute, so a channel listed twice simply moves by both offsets.
    for (const auto& [channel, offset] : m_offsets)
        AddChild(std::make_shared<CmdAppSetOffsetTime>(m_context, channel, offset));
}

McrChMerge::McrChMerge(AppContext context, AppChList channels, bool keepSources)
    : Mcr(u"McrChMerge"), m_context(context), m_channels(std::move(channels)), m_keepSources(keepSources)
{
}

QString McrChMerge::Check(const AppChList& channels)
{
    if (channels.size() < 2)
        return QCoreApplication::translate("McrChData", "結合するチャンネルを2つ以上選択して下さい。");
    for (const auto& channel : channels)
        if (channel->GetFileCh().GetChType() != channels.front()->GetFileCh().GetChType())
            return QCoreApplication::translate("McrChData",
                                               "種類の異なるデータのチャンネルは結合できません。");
    return {};
}

void McrChMerge::Prepare()
{
    m_channels = InDocumentOrder(m_context, m_channels);
    if (!Check(m_channels).isEmpty()) return;
    const std::shared_ptr<AppCh>& first = m_channels.front();
    auto data = std::make_shared<OvGraphFileLib::GCh>(first->GetFileCh());
    for (size_t i = 1; i < m_channels.size(); ++i) data->MergeData(m_channels[i]->GetFileCh());
    data->RemoveOverlaps();
    auto merged = std::make_shared<AppCh>(&m_context.document, data);
    merged->SetDisplayName(first->GetDisplayName());
    if (first->HasOwnScaleExpr()) merged->SetScaleExpr(first->GetScaleExpr());
    if (first->IsOverrideActive()) merged->SetTypeOverride(true, first->GetOverrideCode());
    merged->SetVisibleInTable(first->IsVisibleInTable());
    if (m_keepSources) {
        AddChild(std::make_shared<CmdAppAddCh>(m_context, AppChList{merged}));
        return;
    }
    AddChild(std::make_shared<McrChReplace>(m_context, first, merged));
    AddChild(
        std::make_shared<CmdAppDeleteCh>(m_context, AppChList(m_channels.begin() + 1, m_channels.end())));
}

McrDewPointMaker::McrDewPointMaker(AppContext context, std::shared_ptr<AppCh> temperature,
                                   std::shared_ptr<AppCh> humidity)
    : Mcr(u"McrDewPointMaker"),
      m_context(context),
      m_temperature(std::move(temperature)),
      m_humidity(std::move(humidity))
{
}

void McrDewPointMaker::Prepare()
{
    for (const auto& channel : {m_temperature, m_humidity})
        if (channel && m_context.document.IndexOf(channel.get()) < 0)
            ORVEL_SERIOUS_ERROR("channel not in the document");
    DewPoint::Made made = DewPoint::Make(m_temperature.get(), m_humidity.get());
    m_error = made.error;
    if (!made.channel) return;
    m_channel = std::make_shared<AppCh>(&m_context.document, made.channel);
    m_channel->SetVisibleInTable(true);  // a channel the user just made is one to read
    AddChild(std::make_shared<CmdAppAddCh>(m_context, AppChList{m_channel}));
}

McrThinData::McrThinData(AppContext context, AppChList channels, OvGraphFileLib::ThinDataPrm prm,
                         Output output)
    : Mcr(u"McrThinData"), m_context(context), m_channels(std::move(channels)), m_prm(prm), m_output(output)
{
}

QString McrThinData::MethodName(int32_t method)
{
    static const char* const kNames[] = {QT_TRANSLATE_NOOP("McrThinData", "サンプル"), QT_TRANSLATE_NOOP("McrThinData", "最小値"),
                                         QT_TRANSLATE_NOOP("McrThinData", "最大値"), QT_TRANSLATE_NOOP("McrThinData", "合計"),
                                         QT_TRANSLATE_NOOP("McrThinData", "平均")};
    return method >= 0 && method < 5 ? QCoreApplication::translate("McrThinData", kNames[method]) : QString();
}

void McrThinData::Prepare()
{
    std::vector<std::shared_ptr<orvel::Cmd>> steps;
    AppChList added;
    for (const auto& channel : InDocumentOrder(m_context, m_channels)) {
        OvGraphFileLib::ThinDataPrm prm = m_prm;
        prm.origin = ClampToTime(double(m_prm.origin) - channel->GetLocalTimeOffset() * 1000.0);
        OvGraphFileLib::ThinDataResult thinned = OvGraphFileLib::ThinData(channel->GetFileCh(), prm);
        if (!thinned.result.Ok()) {
            m_result = thinned.result;
            return;
        }
        if (m_output == Output::kReplaceData) {
            steps.push_back(
                std::make_shared<CmdAppSetFileCh>(u"McrThinData_Data", m_context, channel, thinned.channel));
            continue;
        }
        auto result = std::make_shared<AppCh>(&m_context.document, thinned.channel);
        result->SetDisplayName(channel->GetDisplayName() +
                               QStringLiteral(" (%1)").arg(MethodName(m_prm.method)));
        if (channel->HasOwnScaleExpr()) result->SetScaleExpr(channel->GetScaleExpr());
        if (channel->IsOverrideActive()) result->SetTypeOverride(true, channel->GetOverrideCode());
        result->SetVisibleInTable(true);
        added.push_back(result);
    }
    if (!added.empty()) steps.push_back(std::make_shared<CmdAppAddCh>(m_context, added));
    for (auto& step : steps) AddChild(std::move(step));
}

}  // namespace ovgApp
