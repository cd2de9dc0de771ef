// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/Announcer.h"

#include <QDialog>

#include <memory>

class QLabel;
class QPushButton;

namespace quartet {

class SystemInfoLauncher;

// The About dialog: the program's title, version and maker, and a button
// that starts the system information tool. Modeless and without an owner
// (on Wayland it belongs to the main window while that is shown, see
// TaskbarHint.h), so the main window stays usable while it is open.
class frmAbout : public QDialog {
    Q_OBJECT

public:
    frmAbout();  // starts the tool through this system's services
    explicit frmAbout(std::unique_ptr<SystemInfoLauncher> launcher);
    ~frmAbout() override;

    // Loads and shows the dialog beside the window it was opened from, or
    // brings it to the front when it is open.
    void showOrRaise(const QWidget* beside = nullptr);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private slots:
    void cmdOK_Click();
    void cmdSysInfo_Click();

private:
    void Form_Load();
    void StartSysInfo();
    void createControls();

    std::unique_ptr<SystemInfoLauncher> m_launcher;
    Announcer m_announcer{this};
    bool m_loadedUnread = false;  // its texts are read once it is active
    QLabel* picIcon = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdSysInfo = nullptr;
};

}  // namespace quartet
