#pragma once

#include <QString>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "graph/state/Memento.h"

namespace ovgGraph {

class Axis;
class Graph;

// A named set of default appearances: the graph background, the plot frame, the legend, the
// five shape kinds and the two axis kinds. Stored as an element "theme" whose children are
// "name" and one "default_…" element per object, each holding that object's memento under its
// complete-object tag. A theme carries looks only (colours, fonts, lines), never places, texts or
// ranges, so applying one never moves or rescales anything.
class ThemeMemento : public Memento {
public:
    ThemeMemento() : Memento("theme") {}

    // The look of a graph as it is now (its first X axis and first Y axis stand for the kinds).
    static std::shared_ptr<ThemeMemento> Capture(Graph& graph, const QString& name);

    const QString& GetName() const { return m_name; }
    void SetName(const QString& name) { m_name = name; }

    void Write(XmlElement& parent) const override;
    void Read(const XmlElement& element) override;

    // Gives the graph's background, frame, legend and every axis the theme's look.
    void Apply(Graph& graph) const;
    // Gives one axis the look of its kind (a new axis).
    void ApplyToAxis(Axis& axis) const;

    // The stored default of one object ("default_graph_back", ...), or null.
    std::shared_ptr<Memento> GetDefault(const std::string& child) const;

private:
    QString m_name;
    std::map<std::string, std::shared_ptr<Memento>> m_defaults;
};

// The themes that come with the program: "ライト" (the engine's own look: white graph, grey frame,
// black axes) first, then "ダーク".
const std::vector<std::shared_ptr<ThemeMemento>>& BuiltInThemes();

// Reads a theme document; null when its document element is not "theme". Raises what the XML
// reader and the factory raise.
std::shared_ptr<ThemeMemento> ReadTheme(const XmlElement& root);
std::shared_ptr<XmlElement> WriteTheme(const ThemeMemento& theme);

}  // namespace ovgGraph
