#include "ui/OffsetTimeSetupDlg.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>

#include "App/AppCh.h"
#include "App/AppDateInfo.h"
#include "App/AppDocument.h"

namespace ovgUi {
namespace {

constexpr int64_t kPartMs[] = {86'400'000, 3'600'000, 60'000, 1000, 1};

}  // namespace

OffsetTimeSetupDlg::OffsetTimeSetupDlg(ovgApp::AppContext context, Recorder record,
                                       const ovgApp::AppChList& selected, QWidget* parent)
    : ToolDialog(QCoreApplication::translate("OffsetTimeSetupDlg", "データの時刻を補正する"),
                 QCoreApplication::translate("OffsetTimeSetupDlg", "実行"), context, std::move(record),
                 parent),
      m_channels(selected.empty() ? m_context.document.GetChannels() : selected),
      m_offsets(m_channels.size(), 0)
{
    m_table = new QTableWidget(int(m_channels.size()), 3, this);
    m_table->setHorizontalHeaderLabels({QStringLiteral("No."),
                                        QCoreApplication::translate("OffsetTimeSetupDlg", "チャンネル名"),
                                        QCoreApplication::translate("OffsetTimeSetupDlg", "補正時間")});
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    Body()->addWidget(m_table);

    auto* entry = new QHBoxLayout;
    m_sign = new QComboBox(this);
    m_sign->addItems({QCoreApplication::translate("OffsetTimeSetupDlg", "+ 進める"),
                      QCoreApplication::translate("OffsetTimeSetupDlg", "- 戻す")});
    entry->addWidget(m_sign);
    const char* const labels[] = {
        QT_TRANSLATE_NOOP("OffsetTimeSetupDlg", "日"), QT_TRANSLATE_NOOP("OffsetTimeSetupDlg", "時間"),
        QT_TRANSLATE_NOOP("OffsetTimeSetupDlg", "分"), QT_TRANSLATE_NOOP("OffsetTimeSetupDlg", "秒"),
        QT_TRANSLATE_NOOP("OffsetTimeSetupDlg", "ミリ秒")};
    const int maxima[] = {36500, 23, 59, 59, 999};
    for (int i = 0; i < 5; ++i) {
        m_parts[i] = new QSpinBox(this);
        m_parts[i]->setRange(0, maxima[i]);
        entry->addWidget(m_parts[i]);
        entry->addWidget(new QLabel(QCoreApplication::translate("OffsetTimeSetupDlg", labels[i]), this));
    }
    auto* set = new QPushButton(QCoreApplication::translate("OffsetTimeSetupDlg", "設定"), this);
    entry->addWidget(set);
    Body()->addLayout(entry);
    connect(set, &QPushButton::clicked, this, [this] { SetOffsetOfSelected(EnteredOffset()); });
    ShowOffsets();
    m_table->resizeColumnsToContents();
}

int64_t OffsetTimeSetupDlg::EnteredOffset() const
{
    int64_t offset = 0;
    for (int i = 0; i < 5; ++i) offset += m_parts[i]->value() * kPartMs[i];
    return m_sign->currentIndex() == 1 ? -offset : offset;
}

void OffsetTimeSetupDlg::SetOffsetOfSelected(int64_t offset)
{
    const auto rows = m_table->selectionModel()->selectedRows();
    // Without a selection the offset is for every channel listed.
    for (size_t i = 0; i < m_offsets.size(); ++i)
        if (rows.isEmpty() || std::any_of(rows.begin(), rows.end(),
                                          [i](const QModelIndex& row) { return size_t(row.row()) == i; }))
            m_offsets[i] = offset;
    ShowOffsets();
}

void OffsetTimeSetupDlg::ShowOffsets()
{
    for (size_t i = 0; i < m_channels.size(); ++i) {
        const QString cells[] = {m_channels[i]->GetChNumberText(), m_channels[i]->GetDisplayName(),
                                 ovgApp::AppDateInfo::DurationText(m_offsets[i])};
        for (int column = 0; column < 3; ++column)
            m_table->setItem(int(i), column, new QTableWidgetItem(cells[column]));
    }
}

bool OffsetTimeSetupDlg::OnRun()
{
    ovgApp::McrChSetOffsetTime::Offsets offsets;
    for (size_t i = 0; i < m_channels.size(); ++i)
        if (m_offsets[i] != 0) offsets.emplace_back(m_channels[i], m_offsets[i]);
    if (offsets.empty()) {
        Fail(QCoreApplication::translate("OffsetTimeSetupDlg", "補正時間を入力して「設定」を押して下さい。"));
        return false;
    }
    m_record(std::make_shared<ovgApp::McrChSetOffsetTime>(m_context, offsets));
    return true;
}

}  // namespace ovgUi
