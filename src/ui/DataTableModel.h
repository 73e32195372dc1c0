#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <functional>
#include <memory>
#include <vector>

#include "ui/DataTableOptions.h"

namespace ovgApp {
class AppCh;
class AppDateInfo;
}

namespace ovgUi {

// The data table: per shown channel a time column and a value column, row i holding each
// channel's i-th point. Rows are computed when the view asks for them, never copied, so a
// channel of millions of samples costs nothing until it is scrolled to.
// The options colour values outside a channel's limits (Qt::ForegroundRole of the value cell) and
// put the unit in the value column's header.
class DataTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // The date settings (not owned) outlive the model.
    explicit DataTableModel(const ovgApp::AppDateInfo& dateInfo, QObject* parent = nullptr);

    void SetChannels(std::vector<std::shared_ptr<ovgApp::AppCh>> channels);
    // Shows the table again with other options.
    void SetOptions(const DataTableOptions& options);
    const DataTableOptions& GetOptions() const { return m_options; }

    // The text colours of a value above the upper limit and below the lower limit.
    static QColor AboveUpperLimitColour() { return QColor(0xD0, 0x00, 0x00); }
    static QColor BelowLowerLimitColour() { return QColor(0x00, 0x40, 0xD0); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The time of a row (the first shown channel that has it), in the time axis's values; NaN
    // when no channel has the row.
    double TimeOf(int row) const;
    // The first row at or after a time (seconds) in any shown channel's time column, -1 if none.
    int RowAtOrAfter(double time) const;
    // The first row from `from` on whose cells hold the text, -1 if none. `keepGoing` is asked
    // now and then with the row reached; false stops the search.
    int FindText(const QString& text, int from, const std::function<bool(int)>& keepGoing) const;

private:
    QVariant LimitColour(const ovgApp::AppCh& channel, double value) const;

    const ovgApp::AppDateInfo& m_dateInfo;
    DataTableOptions m_options;
    std::vector<std::shared_ptr<ovgApp::AppCh>> m_channels;
};

}  // namespace ovgUi
