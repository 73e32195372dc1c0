#pragma once

#include <QDialog>

#include "ui/FolderOptions.h"

class QCheckBox;
class QFormLayout;
class QLineEdit;

namespace ovgUi {

// "オプション": the default folders of the file dialogs and whether they start in the folder used
// last. Only collects the choice; the caller saves it.
// A language choice is to join here as a further page; keep the folder options one group.
class DlgOptions : public QDialog {
    Q_OBJECT
public:
    DlgOptions(const FolderOptions& options, QWidget* parent = nullptr);

    FolderOptions Options() const;

private:
    // A folder field with its browse button, as one row.
    QLineEdit* AddFolderRow(QFormLayout* form, const QString& label, const QString& folder,
                            const char* objectName);

    QLineEdit* m_openFolder;
    QLineEdit* m_saveFolder;
    QCheckBox* m_useLastFolder;
};

}  // namespace ovgUi
