#include "ui/ToolDialog.h"

#include <QDateTimeEdit>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

#include "App/AppCh.h"
#include "App/AppDocument.h"

namespace ovgUi {

ToolDialog::ToolDialog(const QString& title, const QString& runText, ovgApp::AppContext context, Recorder record, QWidget* parent)
    : QDialog(parent), m_context(context), m_record(std::move(record))
{
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    m_body = new QVBoxLayout;
    layout->addLayout(m_body);
    m_error = new QLabel(this);
    m_error->setObjectName(QStringLiteral("ErrorText"));
    m_error->setStyleSheet(QStringLiteral("color: #c00000"));
    m_error->setWordWrap(true);
    m_error->hide();
    layout->addWidget(m_error);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    m_run = buttons->addButton(runText, QDialogButtonBox::AcceptRole);
    m_run->setDefault(true);
    layout->addWidget(buttons);
    connect(m_run, &QPushButton::clicked, this, &ToolDialog::Run);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // The run button decides about closing itself.
    disconnect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
}

QString ToolDialog::ErrorText() const { return m_error->isHidden() ? QString() : m_error->text(); }

void ToolDialog::Run()
{
    m_error->hide();
    m_error->clear();
    if (OnRun()) accept();
}

void ToolDialog::Fail(const QString& text)
{
    m_error->setText(text);
    m_error->show();
}

ChannelChecklist::ChannelChecklist(const ovgApp::AppDocument& document, const ovgApp::AppChList& checked, QWidget* parent)
    : m_channels(document.GetChannels()), m_list(new QListWidget(parent))
{
    for (const auto& channel : m_channels) {
        auto* item = new QListWidgetItem(channel->GetChNumberText() + QLatin1Char(' ') + channel->GetDisplayName(), m_list);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        const bool on = std::find(checked.begin(), checked.end(), channel) != checked.end();
        item->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    }
}

ovgApp::AppChList ChannelChecklist::Checked() const
{
    ovgApp::AppChList checked;
    for (int row = 0; row < m_list->count() && size_t(row) < m_channels.size(); ++row)
        if (m_list->item(row)->checkState() == Qt::Checked) checked.push_back(m_channels[size_t(row)]);
    return checked;
}

QDateTimeEdit* LocalTimeEdit(double seconds, QWidget* parent)
{
    // Local times are shown as they read, so the field works in UTC and never applies a zone.
    auto* edit = new QDateTimeEdit(parent);
    edit->setTimeSpec(Qt::UTC);
    edit->setDisplayFormat(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
    edit->setCalendarPopup(true);
    edit->setDateTime(QDateTime::fromMSecsSinceEpoch(int64_t(std::floor(seconds)) * 1000, Qt::UTC));
    return edit;
}

double LocalSecondsOf(const QDateTimeEdit& edit) { return double(edit.dateTime().toMSecsSinceEpoch()) / 1000.0; }

}  // namespace ovgUi
