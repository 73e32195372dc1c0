#include "ui/DlgMktCalculator.h"

#include <QCoreApplication>
#include <QButtonGroup>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "App/AppCh.h"
#include "App/AppDocument.h"
#include "App/MktCalculator.h"

namespace ovgUi {

DlgMktCalculator::DlgMktCalculator(ovgApp::AppContext context, QWidget* parent)
    : ToolDialog(QStringLiteral("MKT Calculator"), QCoreApplication::translate("DlgMktCalculator", "実行"), context, nullptr, parent)
{
    const auto& channels = m_context.document.GetChannels();
    m_table = new QTableWidget(int(channels.size()), 4, this);
    m_table->setHorizontalHeaderLabels({QStringLiteral("No."), QCoreApplication::translate("DlgMktCalculator", "チャンネル名"), QStringLiteral("MKT"), QCoreApplication::translate("DlgMktCalculator", "データ種別")});
    const int widths[] = {60, 120, 120, 120};
    for (int column = 0; column < 4; ++column) m_table->setColumnWidth(column, widths[column]);
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    for (size_t row = 0; row < channels.size(); ++row) {
        const ovgApp::AppCh& channel = *channels[row];
        const QString cells[] = {channel.GetChNumberText(), channel.GetDisplayName(), QString(), channel.GetUnitText()};
        for (int column = 0; column < 4; ++column) m_table->setItem(int(row), column, new QTableWidgetItem(cells[column]));
    }
    m_table->setMinimumWidth(60 + 3 * 120 + 24);
    Body()->addWidget(m_table);

    auto* energy = new QHBoxLayout;
    energy->addWidget(new QLabel(QStringLiteral("ΔH"), this));
    m_activationEnergy = new QLineEdit(QStringLiteral("83.14472"), this);
    energy->addWidget(m_activationEnergy);
    energy->addWidget(new QLabel(QStringLiteral("kJ/mol"), this));
    energy->addWidget(new QLabel(QStringLiteral("R=8.314472 J/mol K"), this));
    Body()->addLayout(energy);

    auto* units = new QHBoxLayout;
    auto* group = new QButtonGroup(this);
    const char16_t* const names[] = {u"°C", u"°F", u"K"};
    for (int i = 0; i < 3; ++i) {
        m_units[i] = new QRadioButton(QString::fromUtf16(names[i]), this);
        group->addButton(m_units[i]);
        units->addWidget(m_units[i]);
    }
    units->addStretch();
    Body()->addLayout(units);
    SetUnit(m_context.document.GetTemperatureDisplayType() == 14 ? 1 : 0);
}

void DlgMktCalculator::SetUnit(int unit) { m_units[std::clamp(unit, 0, 2)]->setChecked(true); }

bool DlgMktCalculator::OnRun()
{
    bool ok = false;
    const double activationEnergy = m_activationEnergy->text().trimmed().toDouble(&ok);
    if (!ok || !(activationEnergy > 0)) {
        Fail(QCoreApplication::translate("DlgMktCalculator", "ΔHには正の数値を入力して下さい。"));
        return false;
    }
    const ovgApp::Mkt::Unit unit = m_units[1]->isChecked()   ? ovgApp::Mkt::Unit::kFahrenheit
                                   : m_units[2]->isChecked() ? ovgApp::Mkt::Unit::kKelvin
                                                             : ovgApp::Mkt::Unit::kCelsius;
    const auto& channels = m_context.document.GetChannels();
    for (size_t row = 0; row < channels.size() && int(row) < m_table->rowCount(); ++row)
        m_table->item(int(row), 2)->setText(ovgApp::Mkt::Format(ovgApp::Mkt::OfChannel(*channels[row], activationEnergy), unit));
    return false;  // the results stay on screen
}

}  // namespace ovgUi
