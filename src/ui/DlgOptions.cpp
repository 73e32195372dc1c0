#include "ui/DlgOptions.h"

#include <QCoreApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace ovgUi {

DlgOptions::DlgOptions(const FolderOptions& options, const QString& language, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QCoreApplication::translate("DlgOptions", "オプション"));
    auto* layout = new QVBoxLayout(this);
    auto* folders = new QGroupBox(QCoreApplication::translate("DlgOptions", "フォルダ"), this);
    auto* form = new QFormLayout(folders);
    m_openFolder =
        AddFolderRow(form, QCoreApplication::translate("DlgOptions", "ファイルを開くフォルダ"), options.openFolder, "openFolder");
    m_saveFolder =
        AddFolderRow(form, QCoreApplication::translate("DlgOptions", "ファイルを保存するフォルダ"), options.saveFolder, "saveFolder");
    m_useLastFolder = new QCheckBox(QCoreApplication::translate("DlgOptions", "前回使用したフォルダを使う"), folders);
    m_useLastFolder->setObjectName(QStringLiteral("useLastFolder"));
    m_useLastFolder->setChecked(options.useLastFolder);
    form->addRow(m_useLastFolder);
    layout->addWidget(folders);
    auto* languageForm = new QFormLayout;
    m_language = new QComboBox(this);
    m_language->setObjectName(QStringLiteral("language"));
    // Each language by its own name, so that a user who cannot read the other finds theirs.
    m_language->addItem(QCoreApplication::translate("DlgOptions", "日本語"), QStringLiteral("ja"));
    m_language->addItem(QStringLiteral("English"), QStringLiteral("en"));
    m_language->setCurrentIndex(std::max(0, m_language->findData(language)));
    languageForm->addRow(tr("言語 (再起動後に有効)"), m_language);
    layout->addLayout(languageForm);
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
    auto* browse = new QPushButton(QCoreApplication::translate("DlgOptions", "参照..."), this);
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

namespace ovgUi {

QString DlgOptions::Language() const { return m_language->currentData().toString(); }

}  // namespace ovgUi
