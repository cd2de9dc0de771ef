// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/CardEntry.h"
#include "game/RandomSource.h"
#include "settings/CardRangeOption.h"
#include "settings/SettingsStore.h"
#include "solver/Hand.h"
#include "ui/Announcer.h"

#include <QMainWindow>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

class QAction;
class QLabel;
class QListWidget;
class QMenu;
class QPushButton;

namespace quartet {

class ResultList;
class Panel;
class frmAbout;

// The main window: card display, entry panel, result list, command buttons
// and menus. It holds the game's state and routes every command to the game
// rules, then mirrors their result into its controls.
class frmMain : public QMainWindow {
    Q_OBJECT

public:
    // What the window works with from outside; tests hand in their own.
    struct Services {
        std::unique_ptr<SettingsStore> store;
        std::unique_ptr<InputBox> inputBox;  // null: a modal input dialog
        std::unique_ptr<RandomSource> random;
    };

    explicit frmMain(Services services, QWidget* parent = nullptr);
    ~frmMain() override;

    std::int16_t maxVal() const { return MaxVal; }
    const Hand& hand() const { return Card; }

private slots:
    void cmdCalc_Click();
    void cmdDeal_Click();
    void Command1_Click();
    void cmdExit_Click();
    void cmdMan_Click(std::int16_t Index);
    void cmdClear_Click();
    void mnuDeal_Click();
    void mnuSpecify_Click();
    void mnuOption_Click();
    void mnuExit_Click();
    void mnuContents_Click();
    void mnuAbout_Click();

private:
    void Form_Load();

    void createControls();
    void createCardDisplay();
    void createEntryPanel();
    void createMenus();
    void chainTabOrder();
    QPushButton* createButton(QWidget* parent, const char* name, const QString& caption, const QRect& rect);
    QAction* addMenuItem(QMenu* menu, const char* name, const QString& caption, const QKeySequence& shortcut,
                         void (frmMain::*handler)());
    void addSeparator(QMenu* menu, const char* name);
    void connectButton(QPushButton* button, void (frmMain::*handler)());
    void runGuarded(void (frmMain::*handler)());
    void runGuarded(const std::function<void()>& handler);

    void showCardDisplay();
    void showEntryPanel();
    void showHand();
    void showSlots();
    void announceHand();
    void announceAnswers();
    void announceSlots(const QString& pushedOut = QString());

    Services m_services;
    std::unique_ptr<ResultList> m_resultList;
    std::unique_ptr<frmAbout> m_aboutDialog;
    Announcer m_announcer{this};

    // Game state.
    Hand Card{};
    std::int16_t MaxVal = 0;
    CardEntry m_entry;

    // Controls, named as players' tools and tests know them.
    QListWidget* lstResult = nullptr;
    Panel* Picture1 = nullptr;
    Panel* Picture2 = nullptr;
    QPushButton* cmdDeal = nullptr;
    QPushButton* cmdCalc = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* cmdExit = nullptr;
    QPushButton* cmdClear = nullptr;
    std::array<QLabel*, 4> lblDual{};
    std::array<QPushButton*, CardEntry::kCardValues> cmdMan{};
    std::array<QPushButton*, 4> cmdSelect{};
};

}  // namespace quartet
