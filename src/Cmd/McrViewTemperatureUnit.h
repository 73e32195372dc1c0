#pragma once

#include <cstdint>

#include "Cmd/AppContext.h"
#include "Common/Library/Mcr.h"

namespace ovgApp {

// Shows temperatures in another unit: the document's temperature display type, 13 (Celsius) or
// 14 (Fahrenheit), and with it that of every temperature channel (step "McrViewTemperatureUnit_type").
// Undo gives the document and each channel its previous type back. Switching to the type already
// shown has no step: the group is not valid and the history does not record it. A type other
// than 13 or 14 raises SeriousError.
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
