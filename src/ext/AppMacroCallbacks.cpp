#include "ext/AppMacroCallbacks.h"

#include <algorithm>
#include <cmath>

#include "App/ResultText.h"
#include "App/AppCh.h"
#include "App/AppDocument.h"
#include "App/AppInfo.h"
#include "App/CmdHistory.h"
#include "App/FileLoader.h"
#include "App/SampleBlockBuilder.h"
#include "Cmd/McrChDelete.h"
#include "Cmd/McrGraphCmds.h"
#include "Cmd/McrLoadFiles.h"
#include "Common/Library/McrMacro.h"
#include "ext/AppMacroCh.h"
#include "filelib/CalcCh.h"
#include "filelib/ChConstants.h"
#include "filelib/Result.h"
#include "graph/Graph.h"
#include "graph/GraphChannels.h"

namespace ovgApp {
namespace {

constexpr int32_t kFahrenheit = 14;

// A load started by a macro asks nothing and keeps the document's temperature display.
class QuietLoad : public FileLoader::Callbacks {
public:
    explicit QuietLoad(const AppDocument& document) : m_document(document) {}
    bool IsDocumentFresh() override { return m_document.IsFresh(); }

private:
    const AppDocument& m_document;
};

// The replacement file channel: the old one's logger, names and interval with the script's data.
// Temperatures are stored in the unit the script read them in; values the old channel showed
// through a scale expression are stored as shown, with the expression's unit.
std::shared_ptr<OvGraphFileLib::CalcCh> ReplacementFileCh(const AppCh& old, int32_t temperatureType, OvGraphFileLib::RawDataList blocks)
{
    const OvGraphFileLib::ICh& source = old.GetFileCh();
    auto channel = std::make_shared<OvGraphFileLib::CalcCh>();
    channel->SetSerialNo(source.GetSerialNo());
    channel->SetModel(source.GetModel());
    channel->SetBaseName(source.GetBaseName());
    channel->SetLoggerName(source.GetLoggerName());
    channel->SetChName(source.GetChName());
    channel->SetTimeDiff(source.GetTimeDiff());
    channel->SetStdBias(source.GetStdBias());
    channel->SetDstBias(source.GetDstBias());
    channel->SetDecimalPlaces(source.GetDecimalPlaces());
    const int32_t type = old.IsTemperature() ? temperatureType : int32_t(source.GetChType());
    // Limits follow the values into the unit they are stored in now.
    const auto limit = [&](double value) {
        if (OvGraphFileLib::IsNoData(value) || type == int32_t(source.GetChType())) return value;
        return type == kFahrenheit ? value * 9 / 5 + 32 : (value - 32) * 5 / 9;
    };
    channel->SetUpperLimit(limit(source.GetUpperLimit()));
    channel->SetLowerLimit(limit(source.GetLowerLimit()));
    if (old.HasOwnScaleExpr())
        channel->SetAuxText(old.GetUnitText().toStdU16String());
    else
        channel->SetAuxText(source.GetAuxText());
    channel->SetRawData(std::move(blocks));
    channel->SetChType(type);
    channel->SetInterval(source.GetInterval());
    return channel;
}

}  // namespace

AppMacroCallbacks::AppMacroCallbacks(AppContext context, std::function<void()> refresh)
    : m_context(context), m_refresh(std::move(refresh))
{
}

AppMacroCallbacks::~AppMacroCallbacks() = default;

void AppMacroCallbacks::Begin()
{
    m_group = std::make_shared<orvel::McrMacro>();
}

bool AppMacroCallbacks::End()
{
    const std::shared_ptr<orvel::McrMacro> group = std::move(m_group);
    m_group.reset();
    if (!group || group->GetChildren().empty()) return false;
    // The steps have run: the first execution of the group only refreshes.
    m_context.history.Add(true, group);
    if (m_refresh) m_refresh();
    return true;
}

void AppMacroCallbacks::Run(const std::shared_ptr<orvel::Cmd>& cmd)
{
    orvel::ExecuteCmd(*cmd);
    if (!cmd->IsValid()) return;
    if (m_group)
        m_group->AddChild(cmd);
    else
        m_context.history.Add(false, cmd);  // outside a run: its own step
}

AppMacroCallbacks::ChList AppMacroCallbacks::ListChannels(int32_t filter, int32_t order, int32_t fields)
{
    const int32_t temperatureType = m_context.document.GetTemperatureDisplayType();
    std::vector<std::shared_ptr<AppCh>> channels;
    if (order == 1) {
        for (const auto& channel : m_context.graph.GetChannels().List())
            if (auto appCh = std::dynamic_pointer_cast<AppCh>(channel); appCh && m_context.document.IndexOf(appCh.get()) >= 0)
                channels.push_back(appCh);
    } else {
        channels = m_context.document.GetChannels();
    }
    ChList list;
    for (const auto& channel : channels) {
        if (filter == 1 && !channel->IsVisible()) continue;
        auto view = std::make_shared<AppMacroCh>(channel, temperatureType);
        if (fields & 2) view->GetDataBlockCount();
        list.push_back(std::move(view));
    }
    return list;
}

QString AppMacroCallbacks::GetAppInfo() const
{
    const bool celsius = m_context.document.GetTemperatureDisplayType() != kFahrenheit;
    QString text = QStringLiteral("{");
    const auto member = [&text](const char* name, const QString& value) {
        text += QLatin1String(name) + QStringLiteral(":\"") + value + QStringLiteral("\",");
    };
    member("appName", AppInfo::Name());
    member("appVersion", AppInfo::VersionNumber());
    member("language", AppInfo::EditionCode());
    member("viewTemperatureUnit", celsius ? QStringLiteral("celsius") : QStringLiteral("fahrenheit"));
    return text + QLatin1Char('}');
}

int32_t AppMacroCallbacks::GetChCount() const
{
    return int32_t(m_context.document.GetChannels().size());
}

std::shared_ptr<AppMacroCh> AppMacroCallbacks::GetCh(int32_t index) const
{
    const auto& channels = m_context.document.GetChannels();
    if (index < 0 || size_t(index) >= channels.size()) return nullptr;
    return std::make_shared<AppMacroCh>(channels[size_t(index)], m_context.document.GetTemperatureDisplayType());
}

int32_t AppMacroCallbacks::LoadFiles(const QStringList& paths, QStringList& errors)
{
    FileLoader::Prm prm;
    prm.paths = paths;
    prm.document = &m_context.document;
    QuietLoad callbacks(m_context.document);
    FileLoader::Load(prm, &callbacks);
    const size_t before = m_context.document.GetChannels().size();
    const auto load = McrLoadFiles::FromLoad(m_context, prm);
    Run(load);
    for (size_t i = 0; i < prm.results.size(); ++i) {
        OvGraphFileLib::Result result = prm.results[i];
        for (const auto& out : load->GetLeftOutFiles())
            if (out.fileIndex == i) result = out.result;
        if (!result.Ok()) errors << paths[int(i)] + QStringLiteral(": ") + ResultText(result);
    }
    return int32_t(m_context.document.GetChannels().size() - before);
}

bool AppMacroCallbacks::IsValidCh(const AppMacroCh& channel) const
{
    return m_context.document.IndexOf(channel.GetAppCh().get()) >= 0;
}

QString AppMacroCallbacks::ReplaceCh(const AppMacroCh& view, const std::vector<Block>& blocks, int32_t decimalPlaces)
{
    if (!IsValidCh(view)) return QStringLiteral("the channel is no longer in the document");
    const AppCh& old = *view.GetAppCh();
    const int32_t temperatureType = m_context.document.GetTemperatureDisplayType();
    const int32_t type = old.IsTemperature() ? temperatureType : int32_t(old.GetFileCh().GetChType());
    OvGraphFileLib::RawDataList raw;
    int64_t last = INT64_MIN;
    for (size_t b = 0; b < blocks.size(); ++b) {
        const Block& block = blocks[b];
        if (block.times.size() != block.values.size())
            return QStringLiteral("block %1 has %2 times and %3 values").arg(b).arg(block.times.size()).arg(block.values.size());
        SampleBlockBuilder builder(type, old.GetInterval());
        for (size_t i = 0; i < block.times.size(); ++i) {
            if (block.times[i] < last) return QStringLiteral("block %1: time %2 comes before the time of the sample before it").arg(b).arg(i);
            last = block.times[i];
            const double value = block.values[i];
            builder.Add(block.times[i], std::isfinite(value) ? value : OvGraphFileLib::INVALID_VALUE);
        }
        builder.End(raw);
    }
    auto replacement = std::make_shared<AppCh>(&m_context.document, ReplacementFileCh(old, temperatureType, std::move(raw)));
    replacement->SetDisplayName(old.GetDisplayName());
    if (old.IsOverrideActive()) replacement->SetTypeOverride(true, old.GetOverrideCode());
    replacement->SetDecimalPlaces(decimalPlaces >= 0 ? decimalPlaces : old.GetDecimalPlaces());
    replacement->SetVisibleInTable(old.IsVisibleInTable());
    Run(std::make_shared<McrChReplace>(m_context, view.GetAppCh(), replacement));
    return {};
}

int32_t AppMacroCallbacks::DeleteCh(const ChList& channels)
{
    std::vector<std::shared_ptr<AppCh>> present;
    for (const auto& view : channels)
        if (view && IsValidCh(*view) && std::find(present.begin(), present.end(), view->GetAppCh()) == present.end())
            present.push_back(view->GetAppCh());
    if (present.empty()) return 0;
    Run(std::make_shared<McrChDelete>(m_context, present));
    return int32_t(present.size());
}

}  // namespace ovgApp
