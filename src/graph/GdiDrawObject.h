#pragma once

#include "graph/Glyph.h"
#include "graph/Subject.h"

namespace ovgGraph {

// Base of the drawing primitives (rectangle, line, text, symbol, ellipse). Its observer is the
// glyph that owns it: a setter that changes a value tells it with Update(primitive, 4).
class GdiDrawObject : public Subject {
public:
    explicit GdiDrawObject(Observer* owner = nullptr) : Subject(owner) {}

protected:
    // Stores the value and notifies when it differs.
    template <class T>
    void Change(T& field, const T& value)
    {
        if (field == value) return;
        field = value;
        Rebuild();
        NotifyObservers(kChanged);
    }
    // Rebuilds the pens, brushes or fonts after a change.
    virtual void Rebuild() {}
};

}  // namespace ovgGraph
