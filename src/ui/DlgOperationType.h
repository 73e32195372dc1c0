#pragma once

#include <QDialog>

class QButtonGroup;
class QTableWidget;

namespace ovgUi {

// "グラフ操作の設定": chooses the graph operation type (Type A, B or C) and shows what each mouse
// gesture does in the type chosen.
class DlgOperationType : public QDialog {
    Q_OBJECT
public:
    DlgOperationType(int32_t type, QWidget* parent);
    int32_t Type() const;
    void SetType(int32_t type);
    QTableWidget* Gestures() const { return m_gestures; }

    // The setting "Settings/OperationType", clamped to the types.
    static int32_t Load();
    static void Save(int32_t type);

private:
    void ShowGestures();

    QButtonGroup* m_types;
    QTableWidget* m_gestures;
};

}  // namespace ovgUi
