#include "Cmd/McrSettings.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "App/AppCh.h"
#include "App/AppDocument.h"
#include "App/PrmScaleExpr.h"
#include "Common/Library/CmdLambda.h"
#include "Common/Library/SeriousError.h"
#include "Cmd/McrGraphCmds.h"
#include "filelib/ChConstants.h"

namespace ovgApp {
namespace {

std::shared_ptr<orvel::CmdLambda> DaylightStep(std::u16string name, AppDateInfo& info, bool daylight)
{
    return std::make_shared<orvel::CmdLambda>(
        std::move(name), [&info, daylight] { info.SetDaylight(daylight); }, [&info, daylight] { info.SetDaylight(!daylight); });
}

// Whether applying `expr` (null: none) leaves the channel's expression as it is.
// Decimal places that show the channel's largest value after the expression with the expression's
// significant figures (a 4-20 mA line to 0-100 kPa with 4 figures: one place).
int32_t DecimalPlacesFor(const AppCh& channel, const PrmScaleExpr& expr)
{
    double largest = 0;
    for (double y : {channel.GetMaxValue(), channel.GetMinValue()}) {
        if (OvGraphFileLib::IsNoData(y)) continue;
        if (channel.HasOwnScaleExpr()) {  // back to the value before the channel's present line
            const PrmScaleExpr& own = *channel.GetScaleExpr();
            if (own.GetSlope() == 0) continue;
            y = (y - own.GetIntercept()) / own.GetSlope();
        }
        largest = std::max(largest, std::fabs(expr.Apply(y)));
    }
    const int32_t figures = expr.GetSignificantFigures();
    if (!(largest > 0) || !std::isfinite(largest)) return std::clamp(figures - 1, 0, 9);
    return std::clamp(figures - 1 - int32_t(std::floor(std::log10(largest))), 0, 9);
}

bool SameExpression(const AppCh& channel, const PrmScaleExpr* expr)
{
    if (!channel.HasOwnScaleExpr()) return !expr;
    if (!expr) return false;
    const PrmScaleExpr& own = *channel.GetScaleExpr();
    return own.GetName() == expr->GetName() && own.ToChannelText() == expr->ToChannelText();
}

}  // namespace

McrDaylightSaving::McrDaylightSaving(AppContext context, bool daylight)
    : Mcr(u"McrDaylightSaving"), m_context(context), m_daylight(daylight)
{
}

void McrDaylightSaving::Prepare()
{
    AppDateInfo& info = m_context.document.GetDateInfo();
    if (info.GetDaylight() != m_daylight) AddChild(DaylightStep(u"McrDaylightSaving_daylight", info, m_daylight));
}

McrSetDateInfo::McrSetDateInfo(AppContext context, int32_t kind, bool milliseconds, bool daylight)
    : Mcr(u"McrSetDateInfo"), m_context(context), m_kind(kind), m_milliseconds(milliseconds), m_daylight(daylight)
{
    if (kind < 0 || kind > 5) ORVEL_SERIOUS_ERROR("date format kind " + std::to_string(kind));
}

void McrSetDateInfo::Prepare()
{
    AppDateInfo& info = m_context.document.GetDateInfo();
    const int32_t oldKind = info.GetDateTimeFormat();
    const bool oldMilliseconds = info.GetEnableMsec();
    if (oldKind != m_kind || oldMilliseconds != m_milliseconds) {
        const int32_t kind = m_kind;
        const bool milliseconds = m_milliseconds;
        AddChild(std::make_shared<orvel::CmdLambda>(
            u"McrSetDateInfo_format",
            [&info, kind, milliseconds] {
                info.SetDateTimeFormat(kind);
                info.SetEnableMsec(milliseconds);
            },
            [&info, oldKind, oldMilliseconds] {
                info.SetDateTimeFormat(oldKind);
                info.SetEnableMsec(oldMilliseconds);
            }));
    }
    if (info.GetDaylight() != m_daylight) AddChild(DaylightStep(u"McrSetDateInfo_daylight", info, m_daylight));
}

McrSetupScaleExpr::McrSetupScaleExpr(AppContext context, ScaleExprList list)
    : Mcr(u"McrSetupScaleExpr"), m_context(context), m_list(std::move(list))
{
}

void McrSetupScaleExpr::Prepare()
{
    ScaleExprList& current = m_context.document.GetScaleExprs();
    if (current == m_list) return;
    AddChild(std::make_shared<orvel::CmdLambda>(
        u"McrSetupScaleExpr_list", [&current, list = m_list] { current = list; }, [&current, old = current] { current = old; }));
}

McrChSetScaleExpr::McrChSetScaleExpr(AppContext context, std::vector<std::shared_ptr<AppCh>> channels,
                                     std::shared_ptr<const PrmScaleExpr> expr)
    : Mcr(u"McrChSetScaleExpr"), m_context(context), m_channels(std::move(channels)), m_expr(std::move(expr))
{
}

void McrChSetScaleExpr::Prepare()
{
    struct Change {
        std::shared_ptr<AppCh> channel;
        std::shared_ptr<PrmScaleExpr> before, after;  // null: the document's no-conversion expression
    };
    std::vector<Change> changes;
    for (const auto& channel : m_channels) {
        if (!channel || m_context.document.IndexOf(channel.get()) < 0) ORVEL_SERIOUS_ERROR("channel not in the document");
        if (SameExpression(*channel, m_expr.get())) continue;
        std::shared_ptr<PrmScaleExpr> after;
        if (m_expr) {
            // The channel's own copy, so later edits of the list never reach it.
            after = std::make_shared<PrmScaleExpr>(*m_expr);
            after->SetApplied(true);
        }
        changes.push_back({channel, channel->HasOwnScaleExpr() ? channel->GetScaleExpr() : nullptr, after});
    }
    if (changes.empty()) return;
    // Setting an expression rebuilds the channel's points and re-plots it.
    const auto apply = [](const std::vector<Change>& list, bool forward) {
        for (const Change& change : list) change.channel->SetScaleExpr(forward ? change.after : change.before);
    };
    AddChild(std::make_shared<orvel::CmdLambda>(
        u"McrChSetScaleExpr_SetChScaleExpr", [apply, changes] { apply(changes, true); }, [apply, changes] { apply(changes, false); }));
    // Converted values get the places their expression's figures call for; taking an expression
    // off keeps the places the user sees.
    for (const Change& change : changes) {
        if (!change.after) continue;
        const std::shared_ptr<AppCh> channel = change.channel;
        AddChild(std::make_shared<CmdAppSetValue<int32_t>>(
            u"McrChSetScaleExpr_SetChDecimalPlaces", [channel] { return StoredDecimalPlaces(*channel); },
            [channel](const int32_t& places) { channel->SetDecimalPlaces(places); }, DecimalPlacesFor(*channel, *change.after)));
    }
}

}  // namespace ovgApp
