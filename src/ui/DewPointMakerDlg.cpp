#include "ui/DewPointMakerDlg.h"

#include <QCoreApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QPushButton>

#include "App/AppCh.h"
#include "App/AppDocument.h"
#include "App/DewPointMaker.h"

namespace ovgUi {
namespace {

// Every channel, "No.n : name"; the first channel the test accepts is selected, else the first.
QComboBox* ChannelChoice(const ovgApp::AppChList& channels, bool (*preferred)(const ovgApp::AppCh&), QWidget* parent)
{
    auto* combo = new QComboBox(parent);
    int chosen = -1;
    for (size_t i = 0; i < channels.size(); ++i) {
        combo->addItem(channels[i]->GetChNumberText() + QStringLiteral(" : ") + channels[i]->GetDisplayName());
        if (chosen < 0 && preferred(*channels[i])) chosen = int(i);
    }
    combo->setCurrentIndex(chosen < 0 ? 0 : chosen);
    return combo;
}

}  // namespace

DewPointMakerDlg::DewPointMakerDlg(ovgApp::AppContext context, Recorder record, QWidget* parent)
    : ToolDialog(QCoreApplication::translate("DewPointMakerDlg", "露点温度作成"), QCoreApplication::translate("DewPointMakerDlg", "作成"), context, std::move(record), parent)
{
    const auto& channels = m_context.document.GetChannels();
    auto* form = new QFormLayout;
    m_temperature = ChannelChoice(channels, ovgApp::DewPoint::IsTemperatureCh, this);
    m_humidity = ChannelChoice(channels, ovgApp::DewPoint::IsHumidityCh, this);
    form->addRow(QCoreApplication::translate("DewPointMakerDlg", "温度"), m_temperature);
    form->addRow(QCoreApplication::translate("DewPointMakerDlg", "湿度"), m_humidity);
    Body()->addLayout(form);
    RunButton()->setEnabled(channels.size() >= 2);
}

bool DewPointMakerDlg::OnRun()
{
    const auto& channels = m_context.document.GetChannels();
    const auto pick = [&channels](const QComboBox* combo) {
        const int index = combo->currentIndex();
        return index >= 0 && size_t(index) < channels.size() ? channels[size_t(index)] : nullptr;
    };
    auto cmd = std::make_shared<ovgApp::McrDewPointMaker>(m_context, pick(m_temperature), pick(m_humidity));
    m_record(cmd);
    if (!cmd->GetError().isEmpty()) {
        Fail(cmd->GetError());
        return false;
    }
    return true;
}

}  // namespace ovgUi
