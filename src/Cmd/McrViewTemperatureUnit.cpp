#include "Cmd/McrViewTemperatureUnit.h"

#include <memory>
#include <utility>
#include <vector>

#include "App/AppCh.h"
#include "App/AppDocument.h"
#include "Common/Library/CmdLambda.h"
#include "Common/Library/SeriousError.h"

namespace ovgApp {

McrViewTemperatureUnit::McrViewTemperatureUnit(AppContext context, int32_t type)
    : Mcr(u"McrViewTemperatureUnit"), m_context(context), m_type(type)
{
    if (type != 13 && type != 14) ORVEL_SERIOUS_ERROR("temperature display type " + std::to_string(type));
}

void McrViewTemperatureUnit::Prepare()
{
    AppDocument& document = m_context.document;
    const int32_t oldType = document.GetTemperatureDisplayType();
    if (oldType == m_type) return;
    std::vector<std::pair<std::shared_ptr<AppCh>, int32_t>> oldChannelTypes;
    for (const auto& channel : document.GetChannels())
        if (channel->IsTemperature())
            oldChannelTypes.emplace_back(channel, channel->GetTemperatureDisplayType());
    const int32_t newType = m_type;
    AddChild(std::make_shared<orvel::CmdLambda>(
        u"McrViewTemperatureUnit_type", [&document, newType] { document.SetTemperatureDisplayType(newType); },
        [&document, oldType, oldChannelTypes] {
            document.SetTemperatureDisplayType(oldType);
            for (const auto& [channel, type] : oldChannelTypes) channel->SetTemperatureDisplayType(type);
        }));
}

}  // namespace ovgApp
