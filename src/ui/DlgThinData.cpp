#include "ui/DlgThinData.h"

#include <QCoreApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QListWidget>
#include <QRadioButton>
#include <QSpinBox>
#include <cmath>

#include "App/ResultText.h"
#include "App/AppCh.h"
#include "App/AppDocument.h"

namespace ovgUi {
namespace {

constexpr int64_t kUnitMs[] = {1000, 60'000, 3'600'000, 86'400'000};

}  // namespace

DlgThinData::DlgThinData(ovgApp::AppContext context, Recorder record, const ovgApp::AppChList& selected, QWidget* parent)
    : ToolDialog(QCoreApplication::translate("DlgThinData", "データ抽出"), QCoreApplication::translate("DlgThinData", "実行"), context, std::move(record), parent),
      m_channels(m_context.document, selected, this)
{
    Body()->addWidget(m_channels.Widget());
    auto* form = new QFormLayout;

    auto* length = new QHBoxLayout;
    m_length = new QSpinBox(this);
    m_length->setRange(0, 100000);
    m_length->setValue(1);
    m_lengthUnit = new QComboBox(this);
    m_lengthUnit->addItems({QCoreApplication::translate("DlgThinData", "秒"), QCoreApplication::translate("DlgThinData", "分"), QCoreApplication::translate("DlgThinData", "時間"), QCoreApplication::translate("DlgThinData", "日")});
    m_lengthUnit->setCurrentIndex(2);
    length->addWidget(m_length);
    length->addWidget(m_lengthUnit);
    form->addRow(QCoreApplication::translate("DlgThinData", "抽出間隔"), length);

    // Windows start by default at the local midnight before the first channel's first sample.
    const auto& offered = selected.empty() ? m_context.document.GetChannels() : selected;
    double first = 0;
    for (const auto& channel : offered)
        if (!channel->GetPoints().Empty()) {
            first = std::floor(channel->GetFirstTime() / 86400) * 86400;
            break;
        }
    m_origin = LocalTimeEdit(first, this);
    form->addRow(QCoreApplication::translate("DlgThinData", "基準日時"), m_origin);

    m_method = new QComboBox(this);
    for (int32_t method = 0; method < 5; ++method) m_method->addItem(ovgApp::McrThinData::MethodName(method));
    m_method->setCurrentIndex(4);
    form->addRow(QCoreApplication::translate("DlgThinData", "抽出方法"), m_method);

    m_lenient = new QCheckBox(QCoreApplication::translate("DlgThinData", "欠測データを除いて計算する"), this);
    form->addRow(QString(), m_lenient);

    auto* output = new QButtonGroup(this);
    auto* add = new QRadioButton(QCoreApplication::translate("DlgThinData", "新しいチャンネルとして追加する"), this);
    m_replace = new QRadioButton(QCoreApplication::translate("DlgThinData", "元のデータを置き換える"), this);
    output->addButton(add);
    output->addButton(m_replace);
    add->setChecked(true);
    form->addRow(QCoreApplication::translate("DlgThinData", "結果"), add);
    form->addRow(QString(), m_replace);
    Body()->addLayout(form);
}

bool DlgThinData::OnRun()
{
    const ovgApp::AppChList channels = m_channels.Checked();
    if (channels.empty()) {
        Fail(QCoreApplication::translate("DlgThinData", "チャンネルを選択して下さい。"));
        return false;
    }
    const int64_t length = int64_t(m_length->value()) * kUnitMs[std::clamp(m_lengthUnit->currentIndex(), 0, 3)];
    if (length <= 0) {
        Fail(QCoreApplication::translate("DlgThinData", "抽出間隔には0より大きい値を入力して下さい。"));
        return false;
    }
    // Windows shorter than the recording interval would only add empty windows.
    for (const auto& channel : channels)
        if (channel->GetInterval() > length) {
            Fail(channel->GetChNumberText() + QCoreApplication::translate("DlgThinData", ": 抽出間隔は記録間隔以上にして下さい。"));
            return false;
        }
    OvGraphFileLib::ThinDataPrm prm;
    prm.windowLength = length;
    prm.origin = int64_t(LocalSecondsOf(*m_origin)) * 1000;
    prm.method = m_method->currentIndex();
    prm.lenient = m_lenient->isChecked() ? 1 : 0;
    const auto output = m_replace->isChecked() ? ovgApp::McrThinData::Output::kReplaceData : ovgApp::McrThinData::Output::kNewChannels;
    auto cmd = std::make_shared<ovgApp::McrThinData>(m_context, channels, prm, output);
    m_record(cmd);
    if (!cmd->GetResult().Ok()) {
        const bool tooMany = cmd->GetResult().location == 20021;
        Fail(tooMany ? QCoreApplication::translate("DlgThinData", "データの期間に対して抽出間隔が短すぎます。抽出間隔を長くして下さい。")
                     : ovgApp::ResultText(cmd->GetResult()));
        return false;
    }
    return true;
}

}  // namespace ovgUi
