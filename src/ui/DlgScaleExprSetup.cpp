#include "ui/DlgScaleExprSetup.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "ui/DlgScaleExprInput.h"

namespace ovgUi {
namespace {

using ovgApp::PrmScaleExpr;

QPushButton* MakeButton(const QString& text, const char* objectName, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setAutoDefault(false);
    return button;
}

// The expression entered in a new input dialog, null when cancelled.
std::shared_ptr<PrmScaleExpr> Input(const PrmScaleExpr& start, QWidget* parent)
{
    DlgScaleExprInput dialog(start, parent);
    return dialog.exec() == QDialog::Accepted ? dialog.Result() : nullptr;
}

}  // namespace

DlgScaleExprSetup::DlgScaleExprSetup(DlgScaleExprSetup::ExprList list, QWidget* parent)
    : QDialog(parent), m_given(list), m_list(std::move(list))
{
    setWindowTitle(QCoreApplication::translate("DlgScaleExprSetup", "スケール変換式の設定"));
    auto* layout = new QHBoxLayout(this);
    m_table = new QTreeWidget(this);
    m_table->setObjectName(QStringLiteral("expressions"));
    m_table->setRootIsDecorated(false);
    m_table->setHeaderLabels({QCoreApplication::translate("DlgScaleExprSetup", "変換式"), QCoreApplication::translate("DlgScaleExprSetup", "名前"), QCoreApplication::translate("DlgScaleExprSetup", "単位")});
    m_table->header()->setStretchLastSection(true);
    layout->addWidget(m_table, 1);

    auto* side = new QVBoxLayout;
    m_add = MakeButton(QCoreApplication::translate("DlgScaleExprSetup", "新しい式を追加"), "add", this);
    m_edit = MakeButton(QCoreApplication::translate("DlgScaleExprSetup", "式を修正"), "edit", this);
    m_delete = MakeButton(QCoreApplication::translate("DlgScaleExprSetup", "式を削除"), "delete", this);
    m_up = MakeButton(QCoreApplication::translate("DlgScaleExprSetup", "１行上へ"), "moveUp", this);
    m_down = MakeButton(QCoreApplication::translate("DlgScaleExprSetup", "１行下へ"), "moveDown", this);
    for (QPushButton* button : {m_add, m_edit, m_delete, m_up, m_down}) side->addWidget(button);
    side->addStretch();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Vertical, this);
    side->addWidget(buttons);
    layout->addLayout(side);

    connect(m_add, &QPushButton::clicked, this, &DlgScaleExprSetup::Add);
    connect(m_edit, &QPushButton::clicked, this, &DlgScaleExprSetup::Edit);
    connect(m_delete, &QPushButton::clicked, this, &DlgScaleExprSetup::Delete);
    connect(m_up, &QPushButton::clicked, this, [this] { Move(-1); });
    connect(m_down, &QPushButton::clicked, this, [this] { Move(1); });
    connect(m_table, &QTreeWidget::currentItemChanged, this, [this] { EnableButtons(); });
    connect(m_table, &QTreeWidget::itemDoubleClicked, this, [this] { Edit(); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    ShowList(m_list.empty() ? -1 : 0);
    resize(560, 320);
}

QString DlgScaleExprSetup::LineText(const PrmScaleExpr& expr)
{
    QString slope = expr.GetSlopeText();
    if (slope.startsWith(u'+')) slope.remove(0, 1);
    const QString& intercept = expr.GetInterceptText();
    const bool negative = intercept.startsWith(u'-');
    const QString magnitude =
        intercept.startsWith(u'-') || intercept.startsWith(u'+') ? intercept.mid(1) : intercept;
    return QStringLiteral("y = %1x %2 %3")
        .arg(slope, negative ? QStringLiteral("-") : QStringLiteral("+"), magnitude);
}

int DlgScaleExprSetup::CurrentRow() const
{
    // While the rows are rebuilt the table may name a row the list no longer has.
    QTreeWidgetItem* item = m_table->currentItem();
    const int row = item ? m_table->indexOfTopLevelItem(item) : -1;
    return row < int(m_list.size()) ? row : -1;
}

void DlgScaleExprSetup::ShowList(int current)
{
    m_table->clear();
    for (const auto& expr : m_list)
        m_table->addTopLevelItem(
            new QTreeWidgetItem(QStringList{LineText(*expr), expr->GetName(), expr->GetUnit()}));
    m_table->resizeColumnToContents(0);
    if (current >= 0 && current < int(m_list.size())) m_table->setCurrentItem(m_table->topLevelItem(current));
    EnableButtons();
}

void DlgScaleExprSetup::EnableButtons()
{
    const int row = CurrentRow();
    const bool any = row >= 0;
    m_edit->setEnabled(any && m_list[size_t(row)]->IsEditable());
    m_delete->setEnabled(any && m_list[size_t(row)]->IsDeletable());
    m_up->setEnabled(any && row > 0);
    m_down->setEnabled(any && row + 1 < int(m_list.size()));
}

void DlgScaleExprSetup::Add()
{
    auto expr = Input(PrmScaleExpr(), this);
    if (!expr) return;
    m_list.push_back(std::move(expr));
    ShowList(int(m_list.size()) - 1);
}

void DlgScaleExprSetup::Edit()
{
    const int row = CurrentRow();
    if (row < 0 || !m_list[size_t(row)]->IsEditable()) return;
    auto expr = Input(*m_list[size_t(row)], this);
    if (!expr) return;
    m_list[size_t(row)] = std::move(expr);
    ShowList(row);
}

void DlgScaleExprSetup::Delete()
{
    const int row = CurrentRow();
    if (row < 0 || !m_list[size_t(row)]->IsDeletable()) return;
    m_list.erase(m_list.begin() + row);
    ShowList(std::min(row, int(m_list.size()) - 1));
}

void DlgScaleExprSetup::Move(int step)
{
    const int row = CurrentRow(), to = row + step;
    if (row < 0 || to < 0 || to >= int(m_list.size())) return;
    std::swap(m_list[size_t(row)], m_list[size_t(to)]);
    ShowList(to);
}

}  // namespace ovgUi
