#pragma once

#include <QProgressDialog>

#include "App/FileLoader.h"

namespace ovgUi {

// The progress of a background load: the file being read, a bar that never passes 100, and
// cancel between files.
class DlgLoadFiles : public QProgressDialog, public ovgApp::FileLoader::Callbacks {
    Q_OBJECT
public:
    DlgLoadFiles(ovgApp::FileLoader& loader, bool documentFresh, QWidget* parent = nullptr);

    // A path as the dialog shows it: one longer than 60 characters as its first 3 characters,
    // "..." and its last 50.
    static QString ShortPath(const QString& path);

    bool IsDocumentFresh() override { return m_documentFresh; }
    void OnFileStart(const QString& path) override;
    void OnProgress(int32_t percent) override;
    void OnFinish() override;

signals:
    void finished();

private:
    ovgApp::FileLoader& m_loader;
    bool m_documentFresh;
};

}  // namespace ovgUi
