#include "ui/DataTableModel.h"

#include <QCoreApplication>
#include <QBrush>
#include <algorithm>
#include <cmath>

#include "App/AppCh.h"
#include "App/AppDateInfo.h"
#include "App/PrmScaleExpr.h"
#include "filelib/ChConstants.h"

namespace ovgUi {

DataTableModel::DataTableModel(const ovgApp::AppDateInfo& dateInfo, QObject* parent)
    : QAbstractTableModel(parent), m_dateInfo(dateInfo)
{
}

void DataTableModel::SetChannels(std::vector<std::shared_ptr<ovgApp::AppCh>> channels)
{
    beginResetModel();
    m_channels = std::move(channels);
    endResetModel();
}

void DataTableModel::SetOptions(const DataTableOptions& options)
{
    beginResetModel();
    m_options = options;
    endResetModel();
}

int DataTableModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid()) return 0;
    size_t rows = 0;
    for (const auto& channel : m_channels) rows = std::max(rows, channel->GetPoints().Size());
    return int(std::min<size_t>(rows, size_t(INT32_MAX)));
}

int DataTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_channels.size() * 2);
}

QVariant DataTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ForegroundRole)) return {};
    const auto& channel = m_channels[size_t(index.column() / 2)];
    const auto& points = channel->GetPoints();
    const size_t row = size_t(index.row());
    if (row >= points.Size()) return {};
    const bool isTime = index.column() % 2 == 0;
    if (role == Qt::ForegroundRole) return isTime ? QVariant() : LimitColour(*channel, points.Y(row));
    if (isTime) return m_dateInfo.DateTimeText(int64_t(std::trunc(points.X(row) * 1000.0 + 0.1)));
    return channel->FormatValue(points.Y(row));
}

QVariant DataTableModel::LimitColour(const ovgApp::AppCh& channel, double value) const
{
    using OvGraphFileLib::IsNoData;
    if (!m_options.markOutOfLimits || IsNoData(value)) return {};
    // Limits are in the channel's displayed temperature unit; the values shown have also passed
    // through the channel's own expression, so the limits take the same way (a falling line swaps
    // them). A limit that is absent stays absent.
    double upper = channel.GetUpperLimit(), lower = channel.GetLowerLimit();
    if (channel.HasOwnScaleExpr()) {
        const ovgApp::PrmScaleExpr& expr = *channel.GetScaleExpr();
        upper = expr.Apply(upper);
        lower = expr.Apply(lower);
        if (expr.GetSlope() < 0) std::swap(upper, lower);
    }
    if (!IsNoData(upper) && value > upper) return QBrush(AboveUpperLimitColour());
    if (!IsNoData(lower) && value < lower) return QBrush(BelowLowerLimitColour());
    return {};
}

QVariant DataTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return section + 1;
    const auto& channel = m_channels[size_t(section / 2)];
    if (section % 2 == 0) return channel->GetChNumberText() + QCoreApplication::translate("DataTableModel", " 日時");
    if (!m_options.unitInHeader) return channel->GetDisplayName();
    return channel->GetDisplayName() + QStringLiteral(" [") + channel->GetUnitText() + QLatin1Char(']');
}

double DataTableModel::TimeOf(int row) const
{
    for (const auto& channel : m_channels)
        if (row >= 0 && size_t(row) < channel->GetPoints().Size()) return channel->GetPoints().X(size_t(row));
    return std::nan("");
}

int DataTableModel::RowAtOrAfter(double time) const
{
    int best = -1;
    for (const auto& channel : m_channels) {
        const auto& points = channel->GetPoints();
        // Times ascend along a channel's points.
        size_t lo = 0, hi = points.Size();
        while (lo < hi) {
            const size_t mid = lo + (hi - lo) / 2;
            if (points.X(mid) < time)
                lo = mid + 1;
            else
                hi = mid;
        }
        if (lo < points.Size() && (best < 0 || int(lo) < best)) best = int(std::min<size_t>(lo, size_t(INT32_MAX)));
    }
    return best;
}

int DataTableModel::FindText(const QString& text, int from, const std::function<bool(int)>& keepGoing) const
{
    const int rows = rowCount(), columns = columnCount();
    for (int row = std::max(from, 0); row < rows; ++row) {
        if (row % 65536 == 0 && keepGoing && !keepGoing(row)) return -1;
        for (int column = 0; column < columns; ++column)
            if (data(index(row, column)).toString().contains(text, Qt::CaseInsensitive)) return row;
    }
    return -1;
}

}  // namespace ovgUi
