#pragma once

#include <QDialog>

#include "ui/FolderOptions.h"

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLineEdit;

namespace ovgUi {

// "オプション": the default folders of the file dialogs, whether they start in the folder used
// last, and the window's language. Only collects the choice; the caller saves it.
class DlgOptions : public QDialog {
    Q_OBJECT
public:
    DlgOptions(const FolderOptions& options, const QString& language, QWidget* parent = nullptr);

    FolderOptions Options() const;
    // "ja" or "en".
    QString Language() const;

private:
    // A folder field with its browse button, as one row.
    QLineEdit* AddFolderRow(QFormLayout* form, const QString& label, const QString& folder,
                            const char* objectName);

    QLineEdit* m_openFolder;
    QLineEdit* m_saveFolder;
    QCheckBox* m_useLastFolder;
    QComboBox* m_language;
};

}  // namespace ovgUi
