#pragma once

#include "ui/ToolDialog.h"

class QComboBox;

namespace ovgUi {

// The dew point channel maker: a temperature and a humidity channel from the document's lists;
// adds the new channel as one undoable step.
class DewPointMakerDlg : public ToolDialog {
    Q_OBJECT
public:
    DewPointMakerDlg(ovgApp::AppContext context, Recorder record, QWidget* parent);
    QComboBox* Temperature() const { return m_temperature; }
    QComboBox* Humidity() const { return m_humidity; }

protected:
    bool OnRun() override;

private:
    QComboBox* m_temperature;
    QComboBox* m_humidity;
};

}  // namespace ovgUi
