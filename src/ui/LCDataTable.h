#pragma once

#include <QTableView>
#include <functional>

namespace ovgUi {

class DataTableModel;

// The data table pane: the rows of the shown channels, with the menu "LCDataTable" to find a
// time or a value, copy, select all, move by pages of the visible rows and show the rows in view
// in the graph. A page is as many rows as the view shows.
class LCDataTable : public QTableView {
    Q_OBJECT
public:
    LCDataTable(DataTableModel& model, QWidget* parent = nullptr);

    enum class Page { kFirst, kPrevious, kNext, kLast };
    void GoTo(Page page);
    // The first and last rows in view.
    std::pair<int, int> VisibleRows() const;
    // Selects and shows the first row after the current one that holds the text; a date and time
    // ("2026-06-01 01:00" or with seconds, "/" also accepted) finds the first row at or after it.
    // False, and nothing moves, when no row does.
    bool Find(const QString& text);
    // The selected cells as tab-separated lines.
    void CopySelection() const;

signals:
    // The time span of the rows in view, for the graph's time axis.
    void showRowsInGraph(double from, double to);
    // The user asked for the data table options ("データ一覧の設定").
    void settingsRequested();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void SelectRow(int row);
    int RowsPerPage() const;

    DataTableModel& m_model;
};

}  // namespace ovgUi
