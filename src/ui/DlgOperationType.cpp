#include "ui/DlgOperationType.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QRadioButton>
#include <QSettings>
#include <QTableWidget>
#include <QVBoxLayout>

#include "graph/interaction/IdleState.h"

namespace ovgUi {
namespace {

constexpr const char* kGestures[] = {
    QT_TRANSLATE_NOOP("DlgOperationType", "左ダブルクリック"),
    QT_TRANSLATE_NOOP("DlgOperationType", "マウスホイール"),
    QT_TRANSLATE_NOOP("DlgOperationType", "左ボタンを押しながらマウスを移動"),
    QT_TRANSLATE_NOOP("DlgOperationType", "左ボタンを押しながらマウスホイール")};
// What each gesture does, by type.
constexpr const char* kActions[3][4] = {
    {QT_TRANSLATE_NOOP("DlgOperationType", "グラフ全体を表示"), QT_TRANSLATE_NOOP("DlgOperationType", "なし"),
     QT_TRANSLATE_NOOP("DlgOperationType", "グラフを横軸だけ拡大"),
     QT_TRANSLATE_NOOP("DlgOperationType", "なし")},
    {QT_TRANSLATE_NOOP("DlgOperationType", "なし"),
     QT_TRANSLATE_NOOP("DlgOperationType", "グラフを横軸だけ拡大"),
     QT_TRANSLATE_NOOP("DlgOperationType", "グラフをスクロール"),
     QT_TRANSLATE_NOOP("DlgOperationType", "グラフを縦軸だけ拡大")},
    {QT_TRANSLATE_NOOP("DlgOperationType", "なし"), QT_TRANSLATE_NOOP("DlgOperationType", "なし"),
     QT_TRANSLATE_NOOP("DlgOperationType", "グラフを拡大"), QT_TRANSLATE_NOOP("DlgOperationType", "なし")},
};

const QString kKey = QStringLiteral("Settings/OperationType");

}  // namespace

DlgOperationType::DlgOperationType(int32_t type, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QCoreApplication::translate("DlgOperationType", "グラフ操作の設定"));
    auto* layout = new QVBoxLayout(this);
    auto* types = new QHBoxLayout;
    m_types = new QButtonGroup(this);
    const char* const names[] = {"Type A", "Type B", "Type C"};
    for (int i = 0; i < 3; ++i) {
        auto* button = new QRadioButton(QString::fromLatin1(names[i]), this);
        m_types->addButton(button, i);
        types->addWidget(button);
    }
    layout->addLayout(types);
    m_gestures = new QTableWidget(4, 2, this);
    m_gestures->horizontalHeader()->hide();
    m_gestures->verticalHeader()->hide();
    m_gestures->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_gestures->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(m_gestures);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_types, &QButtonGroup::idClicked, this, [this] { ShowGestures(); });
    SetType(type);
    m_gestures->resizeColumnsToContents();
    resize(440, 240);
}

int32_t DlgOperationType::Type() const
{
    return std::max(0, m_types->checkedId());
}

void DlgOperationType::SetType(int32_t type)
{
    m_types->button(ovgGraph::ClampOperationType(type))->setChecked(true);
    ShowGestures();
}

void DlgOperationType::ShowGestures()
{
    const int32_t type = Type();
    for (int row = 0; row < 4; ++row) {
        m_gestures->setItem(
            row, 0, new QTableWidgetItem(QCoreApplication::translate("DlgOperationType", kGestures[row])));
        m_gestures->setItem(
            row, 1,
            new QTableWidgetItem(QCoreApplication::translate("DlgOperationType", kActions[type][row])));
    }
}

int32_t DlgOperationType::Load()
{
    return ovgGraph::ClampOperationType(QSettings().value(kKey, 0).toInt());
}

void DlgOperationType::Save(int32_t type)
{
    QSettings().setValue(kKey, ovgGraph::ClampOperationType(type));
}

}  // namespace ovgUi
