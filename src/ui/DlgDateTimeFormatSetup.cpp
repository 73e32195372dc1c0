#include "ui/DlgDateTimeFormatSetup.h"

#include <QCoreApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QTimeZone>
#include <QTimer>
#include <QVBoxLayout>

#include "App/AppTimeFormatter.h"

namespace ovgUi {
namespace {

using ovgApp::AppTimeFormatter;

struct Order {
    int32_t kind;
    const char* label;  // translated where it is shown
    const char* objectName;
};
constexpr Order kOrders[] = {
    {AppTimeFormatter::kYearMonthDay, QT_TRANSLATE_NOOP("DlgDateTimeFormatSetup", "年-月-日"), "orderYearMonthDay"},
    {AppTimeFormatter::kMonthDayYear, QT_TRANSLATE_NOOP("DlgDateTimeFormatSetup", "月-日-年"), "orderMonthDayYear"},
    {AppTimeFormatter::kDayMonthYear, QT_TRANSLATE_NOOP("DlgDateTimeFormatSetup", "日-月-年"), "orderDayMonthYear"},
};

// The logger's clock runs on standard time, so the preview starts from the local standard time and
// lets the daylight choice add its hour.
int64_t LocalStandardTimeMs()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QTimeZone zone = QTimeZone::systemTimeZone();
    const int offsetSec = zone.isValid() ? zone.standardTimeOffset(now) : now.offsetFromUtc();
    return now.toMSecsSinceEpoch() + int64_t(offsetSec) * 1000;
}

}  // namespace

DlgDateTimeFormatSetup::DlgDateTimeFormatSetup(const ovgApp::AppDateInfo& dateInfo, QWidget* parent)
    : QDialog(parent), m_choice(dateInfo), m_clock(LocalStandardTimeMs)
{
    setWindowTitle(QCoreApplication::translate("DlgDateTimeFormatSetup", "日付書式の設定"));
    auto* layout = new QVBoxLayout(this);

    auto* orderBox = new QGroupBox(QCoreApplication::translate("DlgDateTimeFormatSetup", "日付の順序"), this);
    auto* orderLayout = new QHBoxLayout(orderBox);
    m_order = new QButtonGroup(this);
    for (const Order& order : kOrders) {
        auto* button = new QRadioButton(QCoreApplication::translate("DlgDateTimeFormatSetup", order.label), orderBox);
        button->setObjectName(QString::fromLatin1(order.objectName));
        m_order->addButton(button, order.kind);
        orderLayout->addWidget(button);
    }
    layout->addWidget(orderBox);

    m_monthNames = new QCheckBox(QCoreApplication::translate("DlgDateTimeFormatSetup", "月を名前で表示する"), this);
    m_monthNames->setObjectName(QStringLiteral("monthNames"));
    m_milliseconds = new QCheckBox(QCoreApplication::translate("DlgDateTimeFormatSetup", "ミリ秒を表示する"), this);
    m_milliseconds->setObjectName(QStringLiteral("milliseconds"));
    m_daylight = new QCheckBox(QCoreApplication::translate("DlgDateTimeFormatSetup", "夏時間で表示する"), this);
    m_daylight->setObjectName(QStringLiteral("daylight"));
    layout->addWidget(m_monthNames);
    layout->addWidget(m_milliseconds);
    layout->addWidget(m_daylight);

    auto* previewBox = new QGroupBox(QCoreApplication::translate("DlgDateTimeFormatSetup", "プレビュー"), this);
    auto* previewLayout = new QVBoxLayout(previewBox);
    m_preview = new QLabel(previewBox);
    m_preview->setObjectName(QStringLiteral("preview"));
    previewLayout->addWidget(m_preview);
    layout->addWidget(previewBox);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    const int32_t kind = dateInfo.GetDateTimeFormat();
    m_order->button(kind % AppTimeFormatter::kMonthNamesStep)->setChecked(true);
    m_monthNames->setChecked(kind >= AppTimeFormatter::kMonthNamesStep);
    m_milliseconds->setChecked(dateInfo.GetEnableMsec());
    m_daylight->setChecked(dateInfo.GetDaylight());
    m_daylight->setEnabled(dateInfo.GetSystemHasDaylight() || dateInfo.GetDaylight());

    connect(m_order, &QButtonGroup::idToggled, this, [this] { ShowPreview(); });
    for (QCheckBox* box : {m_monthNames, m_milliseconds, m_daylight})
        connect(box, &QCheckBox::toggled, this, [this] { ShowPreview(); });
    m_timer = new QTimer(this);
    m_timer->setInterval(900);
    connect(m_timer, &QTimer::timeout, this, [this] { ShowPreview(); });
    m_timer->start();
    ShowPreview();
}

int32_t DlgDateTimeFormatSetup::Kind() const
{
    const int32_t order = std::max(0, m_order->checkedId());
    return order + (m_monthNames->isChecked() ? AppTimeFormatter::kMonthNamesStep : 0);
}

bool DlgDateTimeFormatSetup::Daylight() const
{
    return m_daylight->isChecked();
}

bool DlgDateTimeFormatSetup::Milliseconds() const
{
    return m_milliseconds->isChecked();
}

void DlgDateTimeFormatSetup::SetClock(std::function<int64_t()> clock)
{
    m_clock = std::move(clock);
    ShowPreview();
}

QString DlgDateTimeFormatSetup::PreviewText() const
{
    return m_preview->text();
}

void DlgDateTimeFormatSetup::ShowPreview()
{
    m_choice.SetDateTimeFormat(Kind());
    m_choice.SetDaylight(Daylight());
    m_choice.SetEnableMsec(Milliseconds());
    m_preview->setText(m_choice.DateTimeText(m_clock()));
}

}  // namespace ovgUi
