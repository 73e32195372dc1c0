#pragma once

#include <QDialog>

class QLineEdit;
class QRadioButton;
class QSettings;
class QSpinBox;

namespace ovgUi {

class Reporter;

// "プロキシサーバの設定": automatic (the system's proxy) or the given proxy server. OK refuses an
// empty address through the reporter and stays open; otherwise it writes "Settings/Proxy" to the
// store and closes. The store and the reporter must outlive the dialog.
class DlgProxySetup : public QDialog {
    Q_OBJECT
public:
    DlgProxySetup(QSettings& settings, Reporter& reporter, QWidget* parent);

    QRadioButton* Automatic() const { return m_automatic; }
    QRadioButton* UseProxy() const { return m_useProxy; }
    QLineEdit* Address() const { return m_address; }
    QSpinBox* Port() const { return m_port; }

    void accept() override;

private:
    void EnableFields();

    QSettings& m_settings;
    Reporter& m_reporter;
    QRadioButton* m_automatic;
    QRadioButton* m_useProxy;
    QLineEdit* m_address;
    QSpinBox* m_port;
};

}  // namespace ovgUi
