#include "ui/DlgDeleteChData.h"

#include <QCoreApplication>
#include <QCheckBox>
#include <QDateTimeEdit>
#include <QGridLayout>
#include <QListWidget>
#include <cmath>

#include "App/AppCh.h"
#include "App/AppDocument.h"

namespace ovgUi {
namespace {

// Points of the channel with x in [from, to] (block breaks are not samples).
size_t SamplesWithin(const ovgApp::AppCh& channel, double from, double to)
{
    const ovgApp::AppPoints& points = channel.GetPoints();
    size_t count = 0;
    for (size_t i = points.LowerBound(from), end = points.UpperBound(to); i < end; ++i)
        if (points.Y(i) != OvGraphFileLib::BREAK_VALUE) ++count;
    return count;
}

}  // namespace

DlgDeleteChData::DlgDeleteChData(ovgApp::AppContext context, Recorder record, const ovgApp::AppChList& selected, QWidget* parent)
    : ToolDialog(QCoreApplication::translate("DlgDeleteChData", "データを削除する"), QCoreApplication::translate("DlgDeleteChData", "削除"), context, std::move(record), parent),
      m_channels(m_context.document, selected, this)
{
    Body()->addWidget(m_channels.Widget());
    // The fields start at the span of the channels offered.
    double first = HUGE_VAL, last = -HUGE_VAL;
    for (const auto& channel : selected.empty() ? m_context.document.GetChannels() : selected) {
        if (channel->GetPoints().Empty()) continue;
        first = std::min(first, channel->GetFirstTime());
        last = std::max(last, channel->GetLastTime());
    }
    if (first > last) first = last = 0;
    auto* grid = new QGridLayout;
    m_before = new QCheckBox(QCoreApplication::translate("DlgDeleteChData", "この日時より前のデータを削除する"), this);
    m_after = new QCheckBox(QCoreApplication::translate("DlgDeleteChData", "この日時より後のデータを削除する"), this);
    m_from = LocalTimeEdit(first, this);
    m_to = LocalTimeEdit(std::ceil(last), this);
    grid->addWidget(m_before, 0, 0);
    grid->addWidget(m_from, 0, 1);
    grid->addWidget(m_after, 1, 0);
    grid->addWidget(m_to, 1, 1);
    Body()->addLayout(grid);
}

bool DlgDeleteChData::OnRun()
{
    const ovgApp::AppChList channels = m_channels.Checked();
    if (channels.empty()) {
        Fail(QCoreApplication::translate("DlgDeleteChData", "チャンネルを選択して下さい。"));
        return false;
    }
    if (!m_before->isChecked() && !m_after->isChecked()) {
        Fail(QCoreApplication::translate("DlgDeleteChData", "削除する範囲を指定して下さい。"));
        return false;
    }
    const std::optional<double> from = m_before->isChecked() ? std::optional<double>(LocalSecondsOf(*m_from)) : std::nullopt;
    const std::optional<double> to = m_after->isChecked() ? std::optional<double>(LocalSecondsOf(*m_to)) : std::nullopt;
    if (from && to && *from > *to) {
        Fail(QCoreApplication::translate("DlgDeleteChData", "開始日時が終了日時より後になっています。"));
        return false;
    }
    bool deletes = false;
    for (const auto& channel : channels) {
        const size_t all = SamplesWithin(*channel, -HUGE_VAL, HUGE_VAL);
        const size_t kept = SamplesWithin(*channel, from.value_or(-HUGE_VAL), to.value_or(HUGE_VAL));
        if (all > 0 && kept == 0) {
            Fail(channel->GetChNumberText() + QCoreApplication::translate("DlgDeleteChData", ": 残す範囲にデータがありません。"));
            return false;
        }
        deletes = deletes || kept < all;
    }
    if (!deletes) {
        Fail(QCoreApplication::translate("DlgDeleteChData", "削除するデータがありません。"));
        return false;
    }
    m_record(std::make_shared<ovgApp::McrChDeleteData>(m_context, channels, from, to));
    return true;
}

}  // namespace ovgUi
