#include "ui/DlgOptions.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ovgUi {

DlgOptions::DlgOptions(const FolderOptions& options, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("オプション"));
    auto* layout = new QVBoxLayout(this);
    auto* folders = new QGroupBox(QStringLiteral("フォルダ"), this);
    auto* form = new QFormLayout(folders);
    m_openFolder =
        AddFolderRow(form, QStringLiteral("ファイルを開くフォルダ"), options.openFolder, "openFolder");
    m_saveFolder =
        AddFolderRow(form, QStringLiteral("ファイルを保存するフォルダ"), options.saveFolder, "saveFolder");
    m_useLastFolder = new QCheckBox(QStringLiteral("前回使用したフォルダを使う"), folders);
    m_useLastFolder->setObjectName(QStringLiteral("useLastFolder"));
    m_useLastFolder->setChecked(options.useLastFolder);
    form->addRow(m_useLastFolder);
    layout->addWidget(folders);
    layout->addStretch();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    resize(520, 200);
}

QLineEdit* DlgOptions::AddFolderRow(QFormLayout* form, const QString& label, const QString& folder,
                                    const char* objectName)
{
    auto* row = new QHBoxLayout;
    auto* edit = new QLineEdit(folder, this);
    edit->setObjectName(QString::fromLatin1(objectName));
    auto* browse = new QPushButton(QStringLiteral("参照..."), this);
    browse->setObjectName(QString::fromLatin1(objectName) + QStringLiteral("Browse"));
    browse->setAutoDefault(false);
    connect(browse, &QPushButton::clicked, this, [this, edit, label] {
        const QString chosen = QFileDialog::getExistingDirectory(this, label, edit->text());
        if (!chosen.isEmpty()) edit->setText(QDir::toNativeSeparators(chosen));
    });
    row->addWidget(edit, 1);
    row->addWidget(browse);
    form->addRow(label, row);
    return edit;
}

FolderOptions DlgOptions::Options() const
{
    FolderOptions options;
    options.openFolder = m_openFolder->text().trimmed();
    options.saveFolder = m_saveFolder->text().trimmed();
    options.useLastFolder = m_useLastFolder->isChecked();
    return options;
}

}  // namespace ovgUi
