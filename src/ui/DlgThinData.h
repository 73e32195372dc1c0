#pragma once

#include "ui/ToolDialog.h"

class QCheckBox;
class QComboBox;
class QRadioButton;
class QSpinBox;

namespace ovgUi {

// Data extraction (thinning): window length, origin, method and strictness, output as new
// channels or in place of the data.
class DlgThinData : public ToolDialog {
    Q_OBJECT
public:
    DlgThinData(ovgApp::AppContext context, Recorder record, const ovgApp::AppChList& selected, QWidget* parent);
    ChannelChecklist& Channels() { return m_channels; }
    QSpinBox* Length() const { return m_length; }
    // 0 seconds, 1 minutes, 2 hours, 3 days.
    QComboBox* LengthUnit() const { return m_lengthUnit; }
    QDateTimeEdit* Origin() const { return m_origin; }
    QComboBox* Method() const { return m_method; }
    QCheckBox* Lenient() const { return m_lenient; }
    QRadioButton* Replace() const { return m_replace; }

protected:
    bool OnRun() override;

private:
    ChannelChecklist m_channels;
    QSpinBox* m_length;
    QComboBox* m_lengthUnit;
    QDateTimeEdit* m_origin;
    QComboBox* m_method;
    QCheckBox* m_lenient;
    QRadioButton* m_replace;
};

}  // namespace ovgUi
