#pragma once

#include <QDialog>

#include "net/ProxySettings.h"
#include "net/UpdateServerConfig.h"

class QLabel;
class QPushButton;
class QTimer;

namespace ovgNet {
class RequestUpdateInfo;
}

namespace ovgUi {

// "バージョン情報": the program's name and version, and the manual update check. While a check
// runs its button is disabled and a 50 ms timer watches for the end; the status line then tells
// the outcome, with a link to the download information when a newer version exists. Without a
// configured server the check fails at once with the failure text. A manual check does not
// change the time of the last automatic check.
class DlgAbout : public QDialog {
    Q_OBJECT
public:
    // Asks the installed configuration's server through the user's proxy settings.
    explicit DlgAbout(QWidget* parent);
    DlgAbout(ovgNet::UpdateServerConfig config, ovgNet::ProxySettings proxy, QWidget* parent);

    QPushButton* CheckButton() const { return m_check; }
    QLabel* Status() const { return m_status; }
    QLabel* Link() const { return m_link; }
    ovgNet::RequestUpdateInfo& Request() const { return *m_request; }

    void StartCheck();

private:
    void Poll();
    void ShowOutcome();

    ovgNet::UpdateServerConfig m_config;
    ovgNet::RequestUpdateInfo* m_request;
    QTimer* m_poll;
    QPushButton* m_check;
    QLabel* m_status;
    QLabel* m_link;
};

}  // namespace ovgUi
