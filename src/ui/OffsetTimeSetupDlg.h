#pragma once

#include <vector>

#include "ui/ToolDialog.h"

class QComboBox;
class QSpinBox;
class QTableWidget;

namespace ovgUi {

// Correcting the time of channel data: an offset per channel (days, hours, minutes, seconds,
// milliseconds, earlier or later), recorded as one step for all channels.
class OffsetTimeSetupDlg : public ToolDialog {
    Q_OBJECT
public:
    OffsetTimeSetupDlg(ovgApp::AppContext context, Recorder record, const ovgApp::AppChList& selected, QWidget* parent);
    // Sets the offset (ms) of the rows selected in the list.
    void SetOffsetOfSelected(int64_t offset);
    QTableWidget* Table() const { return m_table; }

protected:
    bool OnRun() override;

private:
    void ShowOffsets();
    int64_t EnteredOffset() const;

    ovgApp::AppChList m_channels;
    std::vector<int64_t> m_offsets;
    QTableWidget* m_table;
    QComboBox* m_sign;
    QSpinBox* m_parts[5];  // days, hours, minutes, seconds, milliseconds
};

}  // namespace ovgUi
