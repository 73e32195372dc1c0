#include "ui/LCDataTable.h"

#include <QCoreApplication>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDateTime>
#include <QHeaderView>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QProgressDialog>
#include <QScrollBar>
#include <QTimeZone>
#include <cmath>
#include <map>

#include "ui/DataTableModel.h"
#include "ui/EditMenus.h"

namespace ovgUi {

LCDataTable::LCDataTable(DataTableModel& model, QWidget* parent) : QTableView(parent), m_model(model)
{
    setObjectName(QStringLiteral("LCDataTable"));
    setModel(&model);
    verticalHeader()->setDefaultSectionSize(20);
}

int LCDataTable::RowsPerPage() const
{
    const auto [first, last] = VisibleRows();
    return std::max(1, last - first + 1);
}

std::pair<int, int> LCDataTable::VisibleRows() const
{
    const int rows = m_model.rowCount();
    if (rows == 0) return {0, -1};
    int first = rowAt(0), last = rowAt(viewport()->height() - 1);
    if (first < 0) first = 0;
    if (last < 0) last = rows - 1;
    return {first, last};
}

void LCDataTable::SelectRow(int row)
{
    if (row < 0 || row >= m_model.rowCount()) return;
    setCurrentIndex(m_model.index(row, std::max(currentIndex().column(), 0)));
    scrollTo(m_model.index(row, 0), QAbstractItemView::PositionAtTop);
}

void LCDataTable::GoTo(Page page)
{
    const int rows = m_model.rowCount();
    if (rows == 0) return;
    const int step = RowsPerPage(), top = VisibleRows().first;
    switch (page) {
        case Page::kFirst: SelectRow(0); break;
        case Page::kPrevious: SelectRow(std::max(0, top - step)); break;
        case Page::kNext: SelectRow(std::min(rows - 1, top + step)); break;
        case Page::kLast: SelectRow(std::max(0, rows - step)); break;
    }
}

bool LCDataTable::Find(const QString& text)
{
    const QString wanted = text.trimmed();
    if (wanted.isEmpty()) return false;
    QString normal = wanted;
    normal.replace(QLatin1Char('/'), QLatin1Char('-'));
    for (const char* format : {"yyyy-MM-dd HH:mm:ss", "yyyy-MM-dd HH:mm", "yyyy-MM-dd"}) {
        const QDateTime at = QDateTime::fromString(normal, QString::fromLatin1(format));
        if (!at.isValid()) continue;
        // The table's times are the channels' wall-clock times, shown as they are: compare alike.
        QDateTime wall = at;
        wall.setTimeZone(QTimeZone::utc());
        const int row = m_model.RowAtOrAfter(double(wall.toMSecsSinceEpoch()) / 1000.0);
        if (row < 0) return false;
        SelectRow(row);
        return true;
    }
    QProgressDialog progress(QCoreApplication::translate("LCDataTable", "検索しています..."), QCoreApplication::translate("LCDataTable", "キャンセル"), 0, std::max(1, m_model.rowCount()), this);
    progress.setMinimumDuration(500);
    const int row = m_model.FindText(wanted, currentIndex().isValid() ? currentIndex().row() + 1 : 0, [&progress](int reached) {
        progress.setValue(reached);
        return !progress.wasCanceled();
    });
    if (row < 0) return false;
    SelectRow(row);
    return true;
}

void LCDataTable::CopySelection() const
{
    std::map<int, std::map<int, QString>> cells;
    for (const QModelIndex& index : selectionModel()->selectedIndexes()) cells[index.row()][index.column()] = index.data().toString();
    QStringList lines;
    for (const auto& [row, columns] : cells) {
        QStringList values;
        for (const auto& [column, text] : columns) values << text;
        lines << values.join(QLatin1Char('\t'));
    }
    QApplication::clipboard()->setText(lines.join(QLatin1Char('\n')));
}

void LCDataTable::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("LCDataTable"));
    const bool any = m_model.rowCount() > 0;
    menu.addAction(QCoreApplication::translate("LCDataTable", "検索(&F)..."), this, [this] {
        bool ok = false;
        const QString text = QInputDialog::getText(this, QCoreApplication::translate("LCDataTable", "検索"), QCoreApplication::translate("LCDataTable", "日時または値:"), QLineEdit::Normal, QString(), &ok);
        if (ok && !Find(text)) QMessageBox::information(this, QCoreApplication::translate("LCDataTable", "検索"), QCoreApplication::translate("LCDataTable", "見つかりませんでした。"));
    })->setEnabled(any);
    menu.addAction(QCoreApplication::translate("LCDataTable", "コピー(&C)"), this, &LCDataTable::CopySelection)->setEnabled(selectionModel()->hasSelection());
    menu.addAction(QCoreApplication::translate("LCDataTable", "すべて選択(&A)"), this, &QTableView::selectAll)->setEnabled(any);
    menu.addSeparator();
    menu.addAction(QCoreApplication::translate("LCDataTable", "最初のページ(&T)"), this, [this] { GoTo(Page::kFirst); })->setEnabled(any);
    menu.addAction(QCoreApplication::translate("LCDataTable", "前のページ(&P)"), this, [this] { GoTo(Page::kPrevious); })->setEnabled(any);
    menu.addAction(QCoreApplication::translate("LCDataTable", "次のページ(&N)"), this, [this] { GoTo(Page::kNext); })->setEnabled(any);
    menu.addAction(QCoreApplication::translate("LCDataTable", "最後のページ(&L)"), this, [this] { GoTo(Page::kLast); })->setEnabled(any);
    menu.addSeparator();
    menu.addAction(QCoreApplication::translate("LCDataTable", "データ一覧の設定(&S)..."), this, &LCDataTable::settingsRequested);
    menu.addAction(QCoreApplication::translate("LCDataTable", "表示中のページをグラフに表示(&G)"), this, [this] {
        const auto [first, last] = VisibleRows();
        const double from = m_model.TimeOf(first), to = m_model.TimeOf(last);
        if (std::isfinite(from) && std::isfinite(to) && to > from) emit showRowsInGraph(from, to);
    })->setEnabled(any);
    ShowMenuAt(menu, viewport(), viewport()->mapFromGlobal(event->globalPos()));
}

}  // namespace ovgUi
