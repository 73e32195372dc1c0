#pragma once

#include <QProgressDialog>
#include <functional>

#include "App/FileLoader.h"

namespace ovgUi {

// The progress of a background load: the file being read, a bar that never passes 100, and
// cancel between files. When the load has finished the dialog hides itself for good and then
// emits finished, so nothing reported afterwards appears beside it.
class DlgLoadFiles : public QProgressDialog, public ovgApp::FileLoader::Callbacks {
    Q_OBJECT
public:
    DlgLoadFiles(ovgApp::FileLoader& loader, bool documentFresh, QWidget* parent = nullptr);

    // A path as the dialog shows it: one longer than 60 characters as its first 3 characters,
    // "..." and its last 50.
    static QString ShortPath(const QString& path);

    // Asks whether to show temperatures as the graph document was saved (a document that shows the
    // other unit); `ask` puts the question to the user and returns QMessageBox::Yes or No.
    void SetTemperatureQuestion(ovgApp::AppDocument* document, std::function<int(const QString&)> ask);

    bool IsDocumentFresh() override { return m_documentFresh; }
    bool AskTemperatureUnit(int32_t fileIndex, bool savedInCelsius) override;
    void OnFileStart(const QString& path) override;
    void OnProgress(int32_t percent) override;
    void OnFinish() override;

signals:
    void finished();

private:
    ovgApp::FileLoader& m_loader;
    bool m_documentFresh;
    QString m_currentPath;
    ovgApp::AppDocument* m_document = nullptr;
    std::function<int(const QString&)> m_ask;
};

}  // namespace ovgUi
