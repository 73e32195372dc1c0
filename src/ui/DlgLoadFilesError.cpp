#include "ui/DlgLoadFilesError.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace ovgUi {

DlgLoadFilesError::DlgLoadFilesError(const std::vector<Failure>& failures, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("DlgLoadFilesError"));
    setWindowTitle(QStringLiteral("読み込めなかったファイル"));
    auto* table = new QTableWidget(int(failures.size()), 3, this);
    table->setObjectName(QStringLiteral("Failures"));
    table->setHorizontalHeaderLabels({QStringLiteral("ファイル"), QStringLiteral("コード"), QStringLiteral("メッセージ")});
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (size_t i = 0; i < failures.size(); ++i) {
        table->setItem(int(i), 0, new QTableWidgetItem(failures[i].path));
        table->setItem(int(i), 1, new QTableWidgetItem(QString::number(failures[i].code)));
        table->setItem(int(i), 2, new QTableWidgetItem(failures[i].message));
    }
    table->horizontalHeader()->setStretchLastSection(true);
    table->resizeColumnsToContents();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table);
    layout->addWidget(buttons);
    resize(640, 240);
}

}  // namespace ovgUi
