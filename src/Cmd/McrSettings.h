#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "Cmd/AppContext.h"
#include "Common/Library/Mcr.h"

namespace ovgApp {

class AppCh;
class PrmScaleExpr;

// The document-wide display settings a user changes in the Settings menu. Each is one undo step
// and changes only the document; the window stores the settings and repaints after every step.
// A command that would leave every value as it is is not valid and is not recorded.

// Shows sample times one hour later (daylight saving time) or not; step "daylight".
class McrDaylightSaving : public orvel::Mcr {
public:
    McrDaylightSaving(AppContext context, bool daylight);

protected:
    void Prepare() override;

private:
    AppContext m_context;
    bool m_daylight;
};

// The date and time settings of the date format dialog: the kind (0 to 5: order of day, month and
// year, months as names), milliseconds, and daylight display. Steps "format" (kind and
// milliseconds) and "daylight", each only when it changes something. A kind outside 0 to 5 raises
// SeriousError.
class McrSetDateInfo : public orvel::Mcr {
public:
    McrSetDateInfo(AppContext context, int32_t kind, bool milliseconds, bool daylight);

protected:
    void Prepare() override;

private:
    AppContext m_context;
    int32_t m_kind;
    bool m_milliseconds;
    bool m_daylight;
};

using ScaleExprList = std::vector<std::shared_ptr<PrmScaleExpr>>;

// Replaces the user's list of scale expressions (the setup dialog's result); step "list". Valid
// when the list holds other objects or another order. Channels keep copies of what they apply, so
// editing the list never changes a channel.
class McrSetupScaleExpr : public orvel::Mcr {
public:
    McrSetupScaleExpr(AppContext context, ScaleExprList list);

protected:
    void Prepare() override;

private:
    AppContext m_context;
    ScaleExprList m_list;
};

// Applies a scale expression to channels: each gets its own applied copy (null: no conversion),
// so its values, unit and texts follow; step "SetChScaleExpr", one entry per channel whose
// expression changes (same name, line and unit count as unchanged). Channels that are not in the
// document raise SeriousError.
class McrChSetScaleExpr : public orvel::Mcr {
public:
    McrChSetScaleExpr(AppContext context, std::vector<std::shared_ptr<AppCh>> channels, std::shared_ptr<const PrmScaleExpr> expr);

protected:
    void Prepare() override;

private:
    AppContext m_context;
    std::vector<std::shared_ptr<AppCh>> m_channels;
    std::shared_ptr<const PrmScaleExpr> m_expr;
};

}  // namespace ovgApp
