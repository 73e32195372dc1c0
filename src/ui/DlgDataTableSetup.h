#pragma once

#include <QDialog>

#include "ui/DataTableOptions.h"

class QCheckBox;

namespace ovgUi {

// "データ一覧の設定": the data table options. Only collects the choice; the caller saves it and
// hands it to the table's model.
class DlgDataTableSetup : public QDialog {
    Q_OBJECT
public:
    DlgDataTableSetup(const DataTableOptions& options, QWidget* parent = nullptr);

    DataTableOptions Options() const;

private:
    QCheckBox* m_markOutOfLimits;
    QCheckBox* m_unitInHeader;
};

}  // namespace ovgUi
