#pragma once

#include <QDialog>
#include <cstdint>
#include <functional>

#include "App/AppDateInfo.h"

class QButtonGroup;
class QCheckBox;
class QLabel;
class QTimer;

namespace ovgUi {

// "日付書式の設定": the order of year, month and day, months as names, milliseconds and daylight
// saving display, with a preview of the current time in the chosen format. Only collects the
// choice; the caller stores it in the document's AppDateInfo and saves it.
class DlgDateTimeFormatSetup : public QDialog {
    Q_OBJECT
public:
    // Starts from the settings in force; daylight display is offered when the computer's time zone
    // has daylight saving time, or when it is already on so that it can be switched off.
    DlgDateTimeFormatSetup(const ovgApp::AppDateInfo& dateInfo, QWidget* parent = nullptr);

    // Kind 0 to 5 (AppTimeFormatter::Kind): the order 0 to 2, plus 3 with month names.
    int32_t Kind() const;
    bool Daylight() const;
    bool Milliseconds() const;

    // The clock of the preview: ms since 1970 of the computer's local standard time (the logger's
    // clock, daylight saving shift not included). Tests fix it.
    void SetClock(std::function<int64_t()> clock);
    // The current time in the chosen format, as the preview shows it.
    QString PreviewText() const;

private:
    void ShowPreview();

    ovgApp::AppDateInfo m_choice;
    std::function<int64_t()> m_clock;
    QButtonGroup* m_order;
    QCheckBox* m_monthNames;
    QCheckBox* m_daylight;
    QCheckBox* m_milliseconds;
    QLabel* m_preview;
    QTimer* m_timer;
};

}  // namespace ovgUi
