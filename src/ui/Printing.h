#pragma once

#include <QFont>
#include <QRectF>
#include <QString>
#include <vector>

class QAbstractItemModel;
class QPagedPaintDevice;
class QPainter;
class QPrinter;

namespace ovgGraph {
class Graph;
}

namespace ovgUi {

// Paints the graph on one page at the device's resolution: laid out at the page's size in
// 96-dpi pixels and scaled to the device, so the printer draws the lines and texts itself.
void PrintGraph(ovgGraph::Graph& graph, QPagedPaintDevice& device);

// A table model in pages, for printing: each page repeats the column headers, rows run down the
// page, and columns that do not fit across go on further pages (all the rows of the first
// columns, then of the next). Widths come from the headers and the first rows.
class TablePages {
public:
    // The page's printable area in the device's pixels at its resolution (dpi).
    TablePages(const QAbstractItemModel& model, const QRectF& page, int dpi, const QFont& font = QFont());

    int PageCount() const { return RowPageCount() * int(m_columnGroups.size()); }
    // The rows [first, last) and columns [first, last) a page shows.
    struct Range {
        int firstRow, endRow, firstColumn, endColumn;
    };
    Range RangeOf(int page) const;
    // Paints page `page` (0-based) with its "n / N" number at the foot.
    void Paint(QPainter& painter, int page) const;

private:
    int RowPageCount() const;

    const QAbstractItemModel& m_model;
    QRectF m_page;
    QFont m_font;
    qreal m_lineHeight = 0, m_headerHeight = 0, m_padding = 0;
    int m_rowsPerPage = 1;
    std::vector<qreal> m_widths;
    std::vector<std::pair<int, int>> m_columnGroups;
};

// Prints the table's pages (the printer's page range when one is chosen); returns how many.
int PrintTable(const QAbstractItemModel& model, QPrinter& printer);

}  // namespace ovgUi
