#include "ui/DlgLoadFiles.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <algorithm>

#include "App/AppDocument.h"

namespace ovgUi {

DlgLoadFiles::DlgLoadFiles(ovgApp::FileLoader& loader, bool documentFresh, QWidget* parent)
    : QProgressDialog(QCoreApplication::translate("DlgLoadFiles", "ファイルを読み込んでいます..."), QCoreApplication::translate("DlgLoadFiles", "キャンセル"), 0, 100, parent),
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

void DlgLoadFiles::OnFileStart(const QString& path)
{
    m_currentPath = path;
    setLabelText(ShortPath(path));
}

void DlgLoadFiles::SetTemperatureQuestion(ovgApp::AppDocument* document, std::function<int(const QString&)> ask)
{
    m_document = document;
    m_ask = std::move(ask);
}

bool DlgLoadFiles::AskTemperatureUnit(int32_t, bool savedInCelsius)
{
    if (!m_document || !m_ask) return false;
    const int32_t saved = savedInCelsius ? 13 : 14;
    if (m_document->GetTemperatureDisplayType() == saved) return false;
    const QString question =
        QFileInfo(m_currentPath).fileName() + QLatin1Char('\n') +
        (savedInCelsius ? QCoreApplication::translate("DlgLoadFiles", "このファイルは温度単位を摂氏で表示する設定で保存されています。\n温度単位の表示を摂氏に変更しますか？")
                        : QCoreApplication::translate("DlgLoadFiles", "このファイルは温度単位を華氏で表示する設定で保存されています。\n温度単位の表示を華氏に変更しますか？"));
    if (m_ask(question) != QMessageBox::Yes) return false;
    m_document->SetTemperatureDisplayType(saved);
    return true;
}

void DlgLoadFiles::OnProgress(int32_t percent) { setValue(std::clamp(percent, 0, 100)); }

void DlgLoadFiles::OnFinish()
{
    // Closed before the listeners report anything: reset also stops the timer that would show
    // the dialog later, over a message box.
    reset();
    hide();
    emit finished();
}

}  // namespace ovgUi
