#pragma once

#include <cstdint>

#include "Cmd/AppContext.h"
#include "Common/Library/Mcr.h"

namespace ovgApp {

// Shows temperatures in another unit: the document's temperature display type, 13 (Celsius) or
// 14 (Fahrenheit), and with it that of every temperature channel (step "McrViewTemperatureUnit_type").
// Every axis that is the value axis of temperature channels only changes unit with them (step
// "McrViewTemperatureUnit_axis"): range, displayed range and cursors by F = C * 9 / 5 + 32 (or
// back), and "°C" becomes "°F" (or back) in its title and unit text; axes with other channels or
// none stay as they are. Undo gives the document, each channel and each axis its saved values
// back exactly; redo sets the values of the first execution. Switching to the type already shown
// has no step: the group is not valid and the history does not record it. A type other than 13
// or 14 raises SeriousError.
// Converts every axis that shows only temperature channels (range, displayed range, cursors, and
// the unit in its title and unit texts) from one temperature display type to the other.
void ConvertTemperatureAxes(ovgGraph::Graph& graph, int32_t oldType, int32_t newType);

class McrViewTemperatureUnit : public orvel::Mcr {
public:
    McrViewTemperatureUnit(AppContext context, int32_t type);

protected:
    void Prepare() override;

private:
    AppContext m_context;
    int32_t m_type;
};

}  // namespace ovgApp
