#pragma once

#include "ui/ToolDialog.h"

class QLineEdit;
class QRadioButton;
class QTableWidget;

namespace ovgUi {

// "MKT Calculator": the mean kinetic temperature of every channel of the document, in the unit
// chosen. Only reads the document.
class DlgMktCalculator : public ToolDialog {
    Q_OBJECT
public:
    DlgMktCalculator(ovgApp::AppContext context, QWidget* parent);
    QTableWidget* Table() const { return m_table; }
    QLineEdit* ActivationEnergy() const { return m_activationEnergy; }
    // 0 Celsius, 1 Fahrenheit, 2 Kelvin.
    void SetUnit(int unit);

protected:
    bool OnRun() override;

private:
    QTableWidget* m_table;
    QLineEdit* m_activationEnergy;
    QRadioButton* m_units[3];
};

}  // namespace ovgUi
