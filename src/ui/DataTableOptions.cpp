#include "ui/DataTableOptions.h"

#include "Common/Library/ProfileValue.h"

namespace ovgUi {
namespace {

const QString kSection = QStringLiteral("Settings/DataTable");

ovgApp::ProfileValue<int32_t> MarkOutOfLimitsValue()
{
    return {kSection, QStringLiteral("MarkOutOfLimits"), 1};
}
ovgApp::ProfileValue<int32_t> UnitInHeaderValue()
{
    return {kSection, QStringLiteral("UnitInHeader"), 1};
}

}  // namespace

DataTableOptions DataTableOptions::Load(const QSettings& settings)
{
    DataTableOptions options;
    options.markOutOfLimits = MarkOutOfLimitsValue().Read(settings) != 0;
    options.unitInHeader = UnitInHeaderValue().Read(settings) != 0;
    return options;
}

DataTableOptions DataTableOptions::Load()
{
    const QSettings settings;
    return Load(settings);
}

void DataTableOptions::Save(QSettings& settings) const
{
    MarkOutOfLimitsValue().Write(settings, markOutOfLimits ? 1 : 0);
    UnitInHeaderValue().Write(settings, unitInHeader ? 1 : 0);
}

void DataTableOptions::Save() const
{
    QSettings settings;
    Save(settings);
}

}  // namespace ovgUi
