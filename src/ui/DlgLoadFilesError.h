#pragma once

#include <QDialog>
#include <vector>

namespace ovgUi {

// Lists the files that did not load: folder, file name and the message of the result.
class DlgLoadFilesError : public QDialog {
    Q_OBJECT
public:
    struct Failure {
        QString path;
        int32_t code;
        QString message;
    };

    explicit DlgLoadFilesError(const std::vector<Failure>& failures, QWidget* parent = nullptr);
};

}  // namespace ovgUi
