#pragma once

#include <memory>

namespace ovgGraph {

class Axis;
class Glyph;

// Builds the parts of a new graph with the engine's default look.
class GraphFactory {
public:
    virtual ~GraphFactory() = default;
    virtual std::shared_ptr<Axis> CreateLeftAxis(Glyph* graph) const;
    virtual std::shared_ptr<Axis> CreateRightAxis(Glyph* graph) const;
    // The time axis below the plot, with date-time labels.
    virtual std::shared_ptr<Axis> CreateTimeAxis(Glyph* graph) const;
};

}  // namespace ovgGraph
