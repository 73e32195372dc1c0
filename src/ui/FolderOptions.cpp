#include "ui/FolderOptions.h"

#include <QDir>
#include <QFileInfo>

#include "Common/Library/ProfileValue.h"

namespace ovgUi {
namespace {

using ovgApp::ProfileValue;

const QString kSection = QStringLiteral("Settings/Options");

ProfileValue<QString> OpenFolderValue()
{
    return {kSection, QStringLiteral("OpenFolder"), QString()};
}
ProfileValue<QString> SaveFolderValue()
{
    return {kSection, QStringLiteral("SaveFolder"), QString()};
}
ProfileValue<int32_t> UseLastFolderValue()
{
    return {kSection, QStringLiteral("UseLastFolder"), 1};
}

ProfileValue<QString> LastFolderValue(FolderPurpose purpose)
{
    const QString section = QStringLiteral("Settings");
    switch (purpose) {
        case FolderPurpose::kOpen:
            return {section, QStringLiteral("OpenFileDir"), QString()};
        case FolderPurpose::kSaveCsv:
            return {section, QStringLiteral("SaveCsvFileDir"), QString()};
        case FolderPurpose::kSaveKmb:
            break;
    }
    return {section, QStringLiteral("SaveKmbFileDir"), QString()};
}

bool IsFolder(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isDir();
}

}  // namespace

FolderOptions FolderOptions::Load(const QSettings& settings)
{
    FolderOptions options;
    options.openFolder = OpenFolderValue().Read(settings);
    options.saveFolder = SaveFolderValue().Read(settings);
    options.useLastFolder = UseLastFolderValue().Read(settings) != 0;
    return options;
}

FolderOptions FolderOptions::Load()
{
    const QSettings settings;
    return Load(settings);
}

void FolderOptions::Save(QSettings& settings) const
{
    OpenFolderValue().Write(settings, openFolder);
    SaveFolderValue().Write(settings, saveFolder);
    UseLastFolderValue().Write(settings, useLastFolder ? 1 : 0);
}

void FolderOptions::Save() const
{
    QSettings settings;
    Save(settings);
}

QString StartFolder(FolderPurpose purpose, const QSettings& settings)
{
    const FolderOptions options = FolderOptions::Load(settings);
    if (options.useLastFolder) {
        const QString last = LastFolderValue(purpose).Read(settings);
        if (IsFolder(last)) return last;
    }
    const QString& fallback = purpose == FolderPurpose::kOpen ? options.openFolder : options.saveFolder;
    return IsFolder(fallback) ? fallback : QString();
}

QString StartFolder(FolderPurpose purpose)
{
    const QSettings settings;
    return StartFolder(purpose, settings);
}

void RememberFolder(FolderPurpose purpose, const QString& folder, QSettings& settings)
{
    if (folder.isEmpty()) return;
    LastFolderValue(purpose).Write(settings, QDir::cleanPath(folder));
}

void RememberFolder(FolderPurpose purpose, const QString& folder)
{
    QSettings settings;
    RememberFolder(purpose, folder, settings);
}

}  // namespace ovgUi
