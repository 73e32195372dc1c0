#include "ui/DlgLoadFiles.h"

#include <algorithm>

namespace ovgUi {

DlgLoadFiles::DlgLoadFiles(ovgApp::FileLoader& loader, bool documentFresh, QWidget* parent)
    : QProgressDialog(QStringLiteral("ファイルを読み込んでいます..."), QStringLiteral("キャンセル"), 0, 100, parent),
      m_loader(loader),
      m_documentFresh(documentFresh)
{
    setObjectName(QStringLiteral("DlgLoadFiles"));
    setWindowModality(Qt::WindowModal);
    setMinimumDuration(300);
    setAutoClose(false);
    setAutoReset(false);
    connect(this, &QProgressDialog::canceled, this, [this] { m_loader.Cancel(); });
}

QString DlgLoadFiles::ShortPath(const QString& path)
{
    if (path.size() <= 60) return path;
    return path.left(3) + QStringLiteral("...") + path.right(50);
}

void DlgLoadFiles::OnFileStart(const QString& path) { setLabelText(ShortPath(path)); }

void DlgLoadFiles::OnProgress(int32_t percent) { setValue(std::clamp(percent, 0, 100)); }

void DlgLoadFiles::OnFinish()
{
    setValue(100);
    emit finished();
}

}  // namespace ovgUi
