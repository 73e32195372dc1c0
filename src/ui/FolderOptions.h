#pragma once

#include <QSettings>
#include <QString>

namespace ovgUi {

// What a file dialog is opened for; each purpose remembers its own last folder.
enum class FolderPurpose { kOpen, kSaveCsv, kSaveKmb };

// The folders the file dialogs start in. Stored in the per-user settings, section
// "Settings/Options": "OpenFolder" and "SaveFolder" (texts, empty for none) and "UseLastFolder"
// (integer, 1 by default). The last folder of each purpose is kept apart in "Settings/OpenFileDir",
// "Settings/SaveCsvFileDir" and "Settings/SaveKmbFileDir".
// Reserved for the language choice of a later change: "Settings/Options/Language".
struct FolderOptions {
    // Default folder for opening data files and graph documents.
    QString openFolder;
    // Default folder for saving CSV exports and graph documents.
    QString saveFolder;
    // Start in the folder used last for the same purpose when it still exists.
    bool useLastFolder = true;

    static FolderOptions Load(const QSettings& settings);
    static FolderOptions Load();
    void Save(QSettings& settings) const;
    void Save() const;

    bool operator==(const FolderOptions&) const = default;
};

// The folder a file dialog for the purpose starts in: the last one used for it when remembering is
// on and it exists, else the purpose's default folder when set and existing, else empty (the
// dialog's own choice).
QString StartFolder(FolderPurpose purpose);
QString StartFolder(FolderPurpose purpose, const QSettings& settings);
// Keeps the folder of a file just opened or saved for the purpose (also while remembering is off,
// so that switching it on starts from the true last folder). An empty folder is ignored.
void RememberFolder(FolderPurpose purpose, const QString& folder);
void RememberFolder(FolderPurpose purpose, const QString& folder, QSettings& settings);

}  // namespace ovgUi
