#pragma once

#include "ui/ToolDialog.h"

class QCheckBox;

namespace ovgUi {

// Deleting the data of channels before and/or after a local time.
class DlgDeleteChData : public ToolDialog {
    Q_OBJECT
public:
    DlgDeleteChData(ovgApp::AppContext context, Recorder record, const ovgApp::AppChList& selected, QWidget* parent);
    ChannelChecklist& Channels() { return m_channels; }
    QCheckBox* DeleteBefore() const { return m_before; }
    QCheckBox* DeleteAfter() const { return m_after; }
    QDateTimeEdit* From() const { return m_from; }
    QDateTimeEdit* To() const { return m_to; }

protected:
    bool OnRun() override;

private:
    ChannelChecklist m_channels;
    QCheckBox* m_before;
    QCheckBox* m_after;
    QDateTimeEdit* m_from;
    QDateTimeEdit* m_to;
};

}  // namespace ovgUi
