#pragma once

#include <QColor>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "graph/commands/PropertyItems.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace orvel {
class Cmd;
}
namespace ovgGraph {
class Graph;
}

namespace ovgUi {

// The property pane: the entries of one graph object (title, legend, an axis, a channel or a
// shape) in a two-column grid ("名前", "値"), group headers expanded, one editor per entry.
// Each edit the user commits hands the graph command it makes to `record`, which executes and
// records it (the pane does not execute anything itself); an edit that leaves the value as it was
// records nothing. The graph must outlive the pane.
class WndProperty : public QWidget {
    Q_OBJECT
public:
    using Record = std::function<void(std::shared_ptr<orvel::Cmd>)>;
    // Asks the user for a colour; an invalid colour when cancelled.
    using ChooseColour = std::function<QColor(const QColor& current, const QString& title)>;

    WndProperty(ovgGraph::Graph& graph, Record record, QWidget* parent = nullptr);

    // Shows the object's entries with their current values.
    void ShowObject(const ovgGraph::PropertyTarget& target);
    // Shows nothing.
    void Clear();
    // Reads the values again (after undo, redo or a change made elsewhere) without recording
    // anything; rebuilds the grid when the entries changed, and clears it when the object has left
    // the graph.
    void Refresh();

    const std::optional<ovgGraph::PropertyTarget>& Target() const { return m_target; }
    QTreeWidget* Grid() const { return m_tree; }
    // Replaces the colour dialog (QColorDialog by default).
    void SetColourChooser(ChooseColour choose) { m_chooseColour = std::move(choose); }

private:
    struct Row {
        ovgGraph::PropertyItem item;
        QTreeWidgetItem* treeItem = nullptr;
        QWidget* editor = nullptr;  // null for a header
    };

    void Build(const std::vector<ovgGraph::PropertyItem>& items);
    QWidget* CreateEditor(const ovgGraph::PropertyItem& item);
    QWidget* CreateColourEditor(const ovgGraph::PropertyItem& item);
    QWidget* CreateRectEditor(const ovgGraph::PropertyItem& item);
    // Puts the current values into the editors, with their signals blocked.
    void ShowValues();
    void ShowValue(const Row& row);
    // Records the command that sets the entry to the value, unless the value is the current one.
    // The key is a copy: recording may rebuild the rows.
    void Commit(std::string key, const ovgGraph::PropertyValue& value);

    ovgGraph::Graph& m_graph;
    Record m_record;
    ChooseColour m_chooseColour;
    std::optional<ovgGraph::PropertyTarget> m_target;
    QTreeWidget* m_tree;
    std::vector<Row> m_rows;
};

}  // namespace ovgUi
