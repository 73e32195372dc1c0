#include "graph/LabelGenerate.h"

namespace ovgGraph {

std::pair<double, double> LabelGenerate::FitRange(double min, double max) const
{
    return {min, max};
}

}  // namespace ovgGraph
