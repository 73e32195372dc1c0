#include "graph/FitAxisToData.h"

#include <algorithm>
#include <cmath>
#include <ctime>
#include <limits>

#include "filelib/ChConstants.h"
#include "graph/Axis.h"
#include "graph/GCh.h"
#include "graph/Graph.h"
#include "graph/GraphChannels.h"
#include "graph/LabelGenerate.h"

namespace ovgGraph {
std::pair<double, double> DataRangeForAxis(Graph& graph, const Axis& axis)
{
    const bool timeAxis = !axis.IsVertical();
    double lo = std::numeric_limits<double>::infinity(), hi = -lo;
    for (const auto& channel : graph.GetChannels().List()) {
        if (!channel->IsVisible()) continue;
        const Axis* bound = timeAxis ? channel->GetTimeAxis().get() : channel->GetValueAxis().get();
        if (bound != &axis || !channel->HasData(-std::numeric_limits<double>::max(), std::numeric_limits<double>::max()))
            continue;
        const double a = timeAxis ? channel->GetFirstTime() : channel->GetMinValue();
        const double b = timeAxis ? channel->GetLastTime() : channel->GetMaxValue();
        if (!OvGraphFileLib::IsNoData(a)) lo = std::min(lo, a);
        if (!OvGraphFileLib::IsNoData(b)) hi = std::max(hi, b);
    }
    if (!(lo <= hi)) {
        if (!timeAxis) return {0, 100};
        const double day = std::floor(double(std::time(nullptr)) / 86400) * 86400;
        return {day, day + 86400};
    }
    if (!timeAxis && hi - lo < 1e-9) {
        if (lo == 0 && hi == 0) return {-1, 1};
        return {lo - std::abs(lo * 0.1), hi + std::abs(hi * 0.1)};
    }
    return {lo, hi};
}

void FitAxisToData(Graph& graph, Axis& axis)
{
    const auto [lo, hi] = DataRangeForAxis(graph, axis);
    const auto [min, max] = axis.GetLabelGenerator().FitRange(lo, hi);
    axis.SetRange(min, max);
}

}  // namespace ovgGraph
