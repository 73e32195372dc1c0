#include "ui/DlgLoadFilesError.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace ovgUi {

DlgLoadFilesError::DlgLoadFilesError(const std::vector<Failure>& failures, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("DlgLoadFilesError"));
    setWindowTitle(QCoreApplication::translate("DlgLoadFilesError", "読み込めなかったファイル"));
    auto* table = new QTableWidget(int(failures.size()), 3, this);
    table->setObjectName(QStringLiteral("Failures"));
    table->setHorizontalHeaderLabels({QCoreApplication::translate("DlgLoadFilesError", "パス"), QCoreApplication::translate("DlgLoadFilesError", "ファイル名"), QCoreApplication::translate("DlgLoadFilesError", "メッセージ")});
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    for (size_t i = 0; i < failures.size(); ++i) {
        const QFileInfo file(failures[i].path);
        table->setItem(int(i), 0, new QTableWidgetItem(QDir::toNativeSeparators(file.absolutePath())));
        table->setItem(int(i), 1, new QTableWidgetItem(file.fileName()));
        table->setItem(int(i), 2, new QTableWidgetItem(failures[i].message));
    }
    for (int column = 0; column < 3; ++column) table->setColumnWidth(column, 100);
    table->horizontalHeader()->setStretchLastSection(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table);
    layout->addWidget(buttons);
    resize(640, 240);
}

}  // namespace ovgUi
