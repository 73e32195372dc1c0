#pragma once

#include <QString>
#include <memory>

#include "graph/Subject.h"

namespace ovgGraph {

// Turns an axis label value into the text drawn at its tick. Held by the axis through a shared
// pointer; the axis observes it. A setter that changes the format notifies with 4 (changed).
class LabelFormat : public Subject {
public:
    explicit LabelFormat(Observer* owner = nullptr) : Subject(owner) {}

    // A new format with the same settings and no observers.
    virtual std::shared_ptr<LabelFormat> Clone() const = 0;
    // The label text; it never depends on the process locale.
    virtual QString Format(double value) const = 0;

protected:
    // Tells the observers that the format changed (flags 4).
    void NotifyChanged();
};

}  // namespace ovgGraph
