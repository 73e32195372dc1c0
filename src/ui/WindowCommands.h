#pragma once

#include <QString>
#include <memory>
#include <vector>

#include "Cmd/AppContext.h"

namespace orvel {
class Cmd;
}

namespace ovgApp {

class AppCh;

// The commands the main window records, built for its context.
std::shared_ptr<orvel::Cmd> MakeDeleteChannelsCmd(AppContext& context, const std::vector<std::shared_ptr<AppCh>>& channels);
std::shared_ptr<orvel::Cmd> MakeTemperatureUnitCmd(AppContext& context, int32_t type);
std::shared_ptr<orvel::Cmd> MakeChangeMemoCmd(AppContext& context, const QString& text);
std::shared_ptr<orvel::Cmd> MakeSetVisibleDataTableCmd(AppContext& context, std::shared_ptr<AppCh> channel, bool visible);

}  // namespace ovgApp
