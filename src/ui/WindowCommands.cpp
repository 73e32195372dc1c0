#include "ui/WindowCommands.h"

#include "App/AppCh.h"
#include "Cmd/CmdAppChangeMemoStr.h"
#include "Cmd/CmdAppSetVisibleDataTable.h"
#include "Cmd/McrChDelete.h"
#include "Cmd/McrViewTemperatureUnit.h"

namespace ovgApp {

std::shared_ptr<orvel::Cmd> MakeDeleteChannelsCmd(AppContext& context, const std::vector<std::shared_ptr<AppCh>>& channels)
{
    return std::make_shared<McrChDelete>(context, channels);
}

std::shared_ptr<orvel::Cmd> MakeTemperatureUnitCmd(AppContext& context, int32_t type)
{
    return std::make_shared<McrViewTemperatureUnit>(context, type);
}

std::shared_ptr<orvel::Cmd> MakeChangeMemoCmd(AppContext& context, const QString& text)
{
    return std::make_shared<CmdAppChangeMemoStr>(context, text);
}

std::shared_ptr<orvel::Cmd> MakeSetVisibleDataTableCmd(AppContext&, std::shared_ptr<AppCh> channel, bool visible)
{
    return std::make_shared<CmdAppSetVisibleDataTable>(std::move(channel), visible);
}

}  // namespace ovgApp
