// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/frmMain.h"

#include "game/Dealer.h"
#include "game/RandomSource.h"
#include "numbers/NumberText.h"
#include "settings/CardRangeOption.h"
#include "settings/SettingsStore.h"
#include "solver/Solver.h"
#include "ui/AccessKeyPress.h"
#include "ui/CardLabel.h"
#include "ui/Contrast.h"
#include "ui/DialogInputBox.h"
#include "ui/Layout.h"
#include "ui/LayoutTables.h"
#include "ui/ListBoxResultList.h"
#include "ui/MessageBox.h"
#include "ui/Panel.h"
#include "ui/frmAbout.h"
#include "ui/frmMainTexts.h"

#include <QApplication>
#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>

#include <exception>

namespace quartet {

namespace {

namespace texts = mainTexts;
namespace table = layout::mainWindow;

// The Song face of the card values; AR PL UMing stands in where it is
// missing, being a Song face too with digits half an em wide, so that two
// digits at 36 points fit a card label.
QFont songFont(int pointSize)
{
    QFont font;
    font.setFamilies({QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("AR PL UMing CN")});
    font.setPointSize(pointSize);
    return font;
}

// The card picture for a screen's pixel ratio: drawn at twice the size for
// scaled screens, and brought smoothly to the screen's own pixels where the
// ratio is not 2, so that it stays as sharp as the text beside it.
QPixmap cardPicture(qreal ratio)
{
    if (ratio <= 1)
        return QPixmap(QStringLiteral(":/card.bmp"));
    QImage picture(QStringLiteral(":/card@2x.bmp"));
    const QSize pixels = (QSizeF(picture.size()) * ratio / 2).toSize();
    if (pixels != picture.size()) {
        // Qt 6.4 crashes smooth-scaling this palette picture; a true-colour
        // copy scales safely.
        picture = picture.convertToFormat(QImage::Format_RGB32)
                      .scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    QPixmap card = QPixmap::fromImage(picture);
    card.setDevicePixelRatio(ratio);
    return card;
}

constexpr int kCardFontPoints = 36;
constexpr int kButtonFontPoints = 12;

QRect rectOf(const char* name)
{
    return layout::placeOf(table::kWindow, name);
}

Panel* createPanel(QWidget* parent, const char* name)
{
    return place(new Panel(parent), name, rectOf(name));
}

}  // namespace

frmMain::frmMain(Services services, QWidget* parent) : QMainWindow(parent), m_services(std::move(services))
{
    if (!m_services.inputBox)
        m_services.inputBox = std::make_unique<DialogInputBox>(this);

    setWindowTitle(texts::kCaption);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    QPalette windowPalette = palette();
    windowPalette.setColor(QPalette::Window, QApplication::palette("QMenu").color(QPalette::Window));
    setPalette(windowPalette);
    fitFontToLayout(*this);

    createControls();
    createMenus();
    chainTabOrder();
    layout()->setSizeConstraint(QLayout::SetFixedSize);  // a fixed dialog frame
    lstResult->setFocus();

    Form_Load();
}

frmMain::~frmMain() = default;

void frmMain::createControls()
{
    auto* client = new QWidget(this);
    client->setFixedSize(table::kClientArea.toPixels().size());
    setCentralWidget(client);

    lstResult = place(new QListWidget(client), "lstResult", rectOf("lstResult"));
    lstResult->setSelectionMode(QAbstractItemView::SingleSelection);
    lstResult->setAccessibleName(texts::kResultListName);
    lstResult->setAccessibleDescription(texts::kResultListDescription);
    lstResult->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    QPalette listPalette = lstResult->palette();
    listPalette.setColor(QPalette::Base, listPalette.color(QPalette::Button));
    lstResult->setPalette(listPalette);
    // A sunken border like the card display's, which the frame draws itself
    // within its own pixels at every scale factor: a style's frame line falls
    // just outside them at 1.25 and 1.5, and the list would lose its top or
    // bottom line.
    lstResult->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_resultList = std::make_unique<ListBoxResultList>(lstResult);

    // The entry panel lies behind the card display; only one is ever seen.
    Picture2 = createPanel(client, "Picture2");
    Picture2->setAccessibleName(texts::kEntryPanelName);
    Picture1 = createPanel(client, "Picture1");
    Picture1->setAccessibleName(texts::kCardDisplayName);
    Picture2->hide();
    createCardDisplay();
    createEntryPanel();

    struct Command {
        QPushButton*& button;
        const char* name;
        const QString& caption;
        const QString& description;
        void (frmMain::*handler)();
    };
    const Command commands[] = {
        {cmdDeal, "cmdDeal", texts::kDeal, texts::kDealDescription, &frmMain::cmdDeal_Click},
        {cmdCalc, "cmdCalc", texts::kAnswer, texts::kAnswerDescription, &frmMain::cmdCalc_Click},
        {Command1, "Command1", texts::kSpecify, texts::kSpecifyDescription, &frmMain::Command1_Click},
        {cmdExit, "cmdExit", texts::kExit, texts::kExitDescription, &frmMain::cmdExit_Click},
    };
    for (const auto& command : commands) {
        command.button = createButton(client, command.name, command.caption, rectOf(command.name));
        command.button->setAccessibleDescription(command.description);
        connectButton(command.button, command.handler);
    }
}

void frmMain::createCardDisplay()
{
    const QPixmap card = cardPicture(devicePixelRatioF());
    const auto pictureRect = [this](std::size_t i) {
        return Picture1->inside(table::kCardPictures[i].rect.toPixels());
    };
    for (std::size_t i = 0; i < table::kCardPictures.size(); ++i) {
        auto* image = place(new QLabel(Picture1), table::kCardPictures[i].name, pictureRect(i));
        image->setPixmap(card);
        image->setAccessibleName(texts::kCardPictureName.arg(i + 1));
    }
    // The values are drawn straight onto the card pictures, in front of them.
    for (std::size_t i = 0; i < lblDual.size(); ++i) {
        auto* label = place(new CardLabel(Picture1, pictureRect(i)), "lblDual",
                            Picture1->inside(table::kCardLabels[i].toPixels()));
        label->setProperty("index", static_cast<int>(i));
        label->setFont(songFont(kCardFontPoints));
        // The card picture is light whatever the desktop's colours: black
        // digits. (On the panel's button face a label would otherwise take
        // the button text colour.)
        label->setForegroundRole(QPalette::WindowText);
        drawTextInBlack(*label);
        label->setAccessibleDescription(texts::kCardLabelDescription.arg(i + 1));
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->raise();
        lblDual[i] = label;
    }
}

void frmMain::createEntryPanel()
{
    const QFont buttonFont = songFont(kButtonFontPoints);
    for (std::size_t i = 0; i < cmdMan.size(); ++i) {
        const int index = static_cast<int>(i);
        auto* button = createButton(Picture2, "cmdMan", QString::number(index + 1),
                                    Picture2->inside(table::cardValueButton(index).toPixels()));
        button->setProperty("index", index);
        button->setFont(buttonFont);
        button->setAccessibleDescription(texts::kCardValueDescription.arg(index + 1));
        connect(button, &QPushButton::clicked, this,
                [this, index] { runGuarded([this, index] { cmdMan_Click(static_cast<std::int16_t>(index)); }); });
        cmdMan[i] = button;
    }
    cmdClear = createButton(Picture2, "cmdClear", texts::kClearSlots, Picture2->inside(table::kClearButton.toPixels()));
    cmdClear->setAccessibleDescription(texts::kClearSlotsDescription);
    connectButton(cmdClear, &frmMain::cmdClear_Click);
    for (std::size_t i = 0; i < cmdSelect.size(); ++i) {
        auto* slot = createButton(Picture2, "cmdSelect", QString(),
                                  Picture2->inside(table::slotButton(static_cast<int>(i)).toPixels()));
        slot->setProperty("index", static_cast<int>(i));
        slot->setFont(buttonFont);
        slot->setAccessibleDescription(texts::kSlotDescription.arg(i + 1));
        cmdSelect[i] = slot;
    }
    showSlots();
}

void frmMain::createMenus()
{
    QMenu* mnuFile = menuBar()->addMenu(texts::kGameMenu);
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    addMenuItem(mnuFile, "mnuDeal", texts::kDeal, QKeySequence(Qt::CTRL | Qt::Key_D), &frmMain::mnuDeal_Click);
    addMenuItem(mnuFile, "mnuSpecify", texts::kSpecify, QKeySequence(Qt::CTRL | Qt::Key_S), &frmMain::mnuSpecify_Click);
    addSeparator(mnuFile, "mnuSpace1");
    addMenuItem(mnuFile, "mnuOption", texts::kOptions, QKeySequence(), &frmMain::mnuOption_Click);
    addSeparator(mnuFile, "mnuSpace3");
    addMenuItem(mnuFile, "mnuExit", texts::kExit, QKeySequence(Qt::CTRL | Qt::Key_X), &frmMain::mnuExit_Click);

    QMenu* mnuHelp = menuBar()->addMenu(texts::kHelpMenu);
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    addMenuItem(mnuHelp, "mnuContents", texts::kHelpContents, QKeySequence(Qt::CTRL | Qt::Key_H),
                &frmMain::mnuContents_Click);
    addSeparator(mnuHelp, "mnuSpace2");
    addMenuItem(mnuHelp, "mnuAbout", texts::kAbout, QKeySequence(Qt::CTRL | Qt::Key_A), &frmMain::mnuAbout_Click);
}

void frmMain::chainTabOrder()
{
    // Qt passes over a hidden panel and the controls on it.
    QWidget* previous = lstResult;
    const auto follow = [&previous](QWidget* next) {
        QWidget::setTabOrder(previous, next);
        previous = next;
    };
    follow(Picture1);
    follow(Picture2);
    for (auto* button : cmdMan)
        follow(button);
    follow(cmdClear);
    for (auto* slot : cmdSelect)
        follow(slot);
    for (auto* button : {Command1, cmdDeal, cmdCalc, cmdExit})
        follow(button);
}

QPushButton* frmMain::createButton(QWidget* parent, const char* name, const QString& caption, const QRect& rect)
{
    auto* button = place(new QPushButton(caption, parent), name, rect);
    // Enter presses the button that has the focus, as on any desktop; the
    // window itself has no default button.
    button->setAutoDefault(true);
    AccessKeyPress::install(button);
    return button;
}

QAction* frmMain::addMenuItem(QMenu* menu, const char* name, const QString& caption, const QKeySequence& shortcut,
                              void (frmMain::*handler)())
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(shortcut);
    // The shortcuts work wherever the focus is in the window, the list included.
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, [this, handler] { runGuarded(handler); });
    addAction(action);
    return action;
}

void frmMain::addSeparator(QMenu* menu, const char* name)
{
    menu->addSeparator()->setObjectName(QString::fromLatin1(name));
}

void frmMain::connectButton(QPushButton* button, void (frmMain::*handler)())
{
    connect(button, &QPushButton::clicked, this, [this, handler] { runGuarded(handler); });
}

// No exception may reach Qt's event loop: an unexpected error ends the
// command with a message, and the program stays usable.
void frmMain::runGuarded(void (frmMain::*handler)())
{
    runGuarded([this, handler] { (this->*handler)(); });
}

void frmMain::runGuarded(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const std::exception& error) {
        // The player reads Chinese; the technical detail is for a bug report.
        qWarning("quartet: %s", error.what());
        showMessageBox(this, texts::kCaption, texts::kUnexpectedError);
    }
}

void frmMain::Form_Load()
{
    MaxVal = loadMaxVal(*m_services.store);
}

void frmMain::cmdCalc_Click()
{
    listSolutions(Card, *m_resultList);
    announceAnswers();
}

void frmMain::cmdDeal_Click()
{
    mnuDeal_Click();
}

void frmMain::Command1_Click()
{
    mnuSpecify_Click();
}

void frmMain::cmdExit_Click()
{
    mnuExit_Click();
}

void frmMain::mnuExit_Click()
{
    QApplication::closeAllWindows();
    QApplication::quit();
}

void frmMain::mnuDeal_Click()
{
    if (deal(Card, *m_resultList, *m_services.random, MaxVal) == DealOutcome::MaxValTooSmall) {
        showMessageBox(this, texts::kCaption, texts::kMaxValTooSmall);
        return;
    }
    showCardDisplay();
    showHand();
    announceHand();
}

void frmMain::mnuSpecify_Click()
{
    showEntryPanel();
    m_entry.specify(Card);
    showSlots();
    m_announcer.announce(texts::kEntryPanelShown);
}

void frmMain::cmdClear_Click()
{
    m_entry.clear();
    showSlots();
    announceSlots();
}

void frmMain::cmdMan_Click(std::int16_t Index)
{
    const std::string oldest = m_entry.captions()[0];
    const bool allTaken = !m_entry.captions().back().empty();
    m_entry.press(Index, Card, *m_resultList);
    showSlots();
    announceSlots(allTaken ? texts::kPushedOut.arg(QString::fromStdString(oldest)) : QString());
}

void frmMain::mnuOption_Click()
{
    const MaxValChoice choice = chooseMaxVal(*m_services.store, *m_services.inputBox, MaxVal);
    MaxVal = choice.maxVal;
    if (!choice.saved)
        showMessageBox(this, texts::kCaption, texts::kMaxValNotSaved.arg(MaxVal));
}

void frmMain::mnuContents_Click()
{
    showMessageBox(this, texts::kHelpTitle, texts::kHelpText);
}

void frmMain::mnuAbout_Click()
{
    if (!m_aboutDialog)
        m_aboutDialog = std::make_unique<frmAbout>();
    m_aboutDialog->showOrRaise(this);
}

void frmMain::showCardDisplay()
{
    Picture1->show();
    Picture2->hide();
}

void frmMain::showEntryPanel()
{
    Picture1->hide();
    Picture2->show();
}

// The labels show the dealt hand. A deal draws many candidate hands within
// one command, so only the last one, the solvable hand, is ever on screen.
void frmMain::showHand()
{
    for (std::size_t i = 0; i < lblDual.size(); ++i)
        lblDual[i]->setText(QString::fromStdString(numberText(Card[i])));
}

// The card display reads as the hand on it, wherever the focus is when the
// deal is made and when the display is reached later.
void frmMain::announceHand()
{
    QStringList values;
    for (const auto* label : lblDual)
        values << label->text();
    const QString hand = texts::kHandShown.arg(values.join(texts::kValueSeparator));
    Picture1->setAccessibleName(hand);
    m_announcer.announce(hand);
}

// The count and the first line, or the no-solution line alone; the list
// holds the rest.
void frmMain::announceAnswers()
{
    const QString first = lstResult->item(0)->text();
    const bool solved =
        first != QString::fromUtf8(kNoSolutionLine.data(), static_cast<qsizetype>(kNoSolutionLine.size()));
    m_announcer.announce(solved ? texts::kSolutionsListed.arg(lstResult->count()).arg(first) : first);
}

void frmMain::announceSlots(const QString& pushedOut)
{
    QStringList contents;
    for (const auto& caption : m_entry.captions())
        contents << (caption.empty() ? texts::kEmptySlotWord : QString::fromStdString(caption));
    m_announcer.announce(pushedOut + texts::kSlotsNow.arg(contents.join(texts::kValueSeparator)));
}

// A taken slot is read out by its caption; an empty one says what it is.
void frmMain::showSlots()
{
    for (std::size_t i = 0; i < cmdSelect.size(); ++i) {
        const QString caption = QString::fromStdString(m_entry.captions()[i]);
        cmdSelect[i]->setText(caption);
        cmdSelect[i]->setAccessibleName(caption.isEmpty() ? texts::kEmptySlotName.arg(i + 1) : QString());
    }
}

}  // namespace quartet
