#include "ui/Printing.h"

#include <QAbstractItemModel>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>
#include <algorithm>

#include "graph/Graph.h"

namespace ovgUi {
namespace {

constexpr int kScreenDpi = 96;
// Rows measured for the column widths: the first ones, as a table of millions cannot be read
// through to print its first page.
constexpr int kMeasuredRows = 200;

}  // namespace

void PrintGraph(ovgGraph::Graph& graph, QPagedPaintDevice& device)
{
    const QRectF page = device.pageLayout().paintRectPixels(device.logicalDpiX());
    const qreal scale = qreal(device.logicalDpiX()) / kScreenDpi;
    QPainter painter(&device);
    painter.scale(scale, scale);
    graph.PaintOnto(painter, int(page.width() / scale), int(page.height() / scale));
}

TablePages::TablePages(const QAbstractItemModel& model, const QRectF& page, int dpi, const QFont& font)
    : m_model(model), m_page(page), m_font(font)
{
    // The font's points at the device's resolution.
    m_font.setPixelSize(std::max(1, int(m_font.pointSizeF() * dpi / 72.0)));
    const QFontMetricsF metrics(m_font);
    m_padding = metrics.averageCharWidth();
    m_lineHeight = metrics.lineSpacing() * 1.2;
    int headerLines = 1;
    const int columns = model.columnCount();
    const int measured = std::min(model.rowCount(), kMeasuredRows);
    for (int column = 0; column < columns; ++column) {
        const QString header = model.headerData(column, Qt::Horizontal).toString();
        qreal width = 0;
        for (const QString& line : header.split(QLatin1Char('\n'))) width = std::max(width, metrics.horizontalAdvance(line));
        headerLines = std::max(headerLines, int(header.count(QLatin1Char('\n'))) + 1);
        for (int row = 0; row < measured; ++row)
            width = std::max(width, metrics.horizontalAdvance(model.data(model.index(row, column)).toString()));
        m_widths.push_back(std::min(width + 2 * m_padding, page.width()));
    }
    m_headerHeight = headerLines * m_lineHeight;
    // The header, the rows, and a line for the page number.
    m_rowsPerPage = std::max(1, int((page.height() - m_headerHeight - m_lineHeight) / m_lineHeight));
    for (int first = 0; first < columns;) {
        int end = first + 1;
        qreal used = m_widths[size_t(first)];
        while (end < columns && used + m_widths[size_t(end)] <= page.width()) used += m_widths[size_t(end++)];
        m_columnGroups.emplace_back(first, end);
        first = end;
    }
    if (m_columnGroups.empty()) m_columnGroups.emplace_back(0, 0);
}

int TablePages::RowPageCount() const { return std::max(1, (m_model.rowCount() + m_rowsPerPage - 1) / m_rowsPerPage); }

TablePages::Range TablePages::RangeOf(int page) const
{
    const int rowPage = page % RowPageCount();
    const auto [firstColumn, endColumn] = m_columnGroups[size_t(page / RowPageCount())];
    const int firstRow = rowPage * m_rowsPerPage;
    return {firstRow, std::min(m_model.rowCount(), firstRow + m_rowsPerPage), firstColumn, endColumn};
}

void TablePages::Paint(QPainter& painter, int page) const
{
    const Range range = RangeOf(page);
    painter.save();
    painter.setFont(m_font);
    painter.setPen(Qt::black);
    const qreal left = m_page.left(), top = m_page.top();
    qreal x = left;
    for (int column = range.firstColumn; column < range.endColumn; ++column) {
        const qreal width = m_widths[size_t(column)];
        const QRectF header(x, top, width, m_headerHeight);
        painter.fillRect(header, QColor(0xE8, 0xE8, 0xE8));
        painter.drawText(header.adjusted(m_padding, 0, -m_padding, 0), Qt::AlignLeft | Qt::AlignVCenter,
                         m_model.headerData(column, Qt::Horizontal).toString());
        qreal y = top + m_headerHeight;
        for (int row = range.firstRow; row < range.endRow; ++row, y += m_lineHeight) {
            const QModelIndex index = m_model.index(row, column);
            const QVariant colour = m_model.data(index, Qt::ForegroundRole);
            painter.setPen(colour.canConvert<QColor>() ? colour.value<QColor>() : QColor(Qt::black));
            const Qt::Alignment alignment = column % 2 ? Qt::AlignRight : Qt::AlignLeft;
            painter.drawText(QRectF(x + m_padding, y, width - 2 * m_padding, m_lineHeight), alignment | Qt::AlignVCenter,
                             m_model.data(index).toString());
        }
        painter.setPen(QColor(0xA0, 0xA0, 0xA0));
        painter.drawLine(QPointF(x, top), QPointF(x, y));
        x += width;
    }
    painter.drawLine(QPointF(x, top), QPointF(x, top + m_headerHeight + (range.endRow - range.firstRow) * m_lineHeight));
    painter.setPen(Qt::black);
    painter.drawText(QRectF(left, m_page.bottom() - m_lineHeight, m_page.width(), m_lineHeight), Qt::AlignCenter,
                     QStringLiteral("%1 / %2").arg(page + 1).arg(PageCount()));
    painter.restore();
}

int PrintTable(const QAbstractItemModel& model, QPrinter& printer)
{
    const QRectF page(QPointF(0, 0), printer.pageLayout().paintRectPixels(printer.resolution()).size());
    const TablePages pages(model, page, printer.resolution());
    int first = 0, last = pages.PageCount() - 1;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = std::min(printer.fromPage() - 1, last);
        last = std::clamp(printer.toPage() - 1, first, last);
    }
    QPainter painter(&printer);
    for (int page = first; page <= last; ++page) {
        if (page > first) printer.newPage();
        pages.Paint(painter, page);
    }
    return last - first + 1;
}

}  // namespace ovgUi
