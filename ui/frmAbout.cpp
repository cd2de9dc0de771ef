// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/frmAbout.h"

#include "desktop/windows/TaskbarHint.h"
#include "desktop/windows/WindowPlacement.h"
#include "quartet/ProgramInfo.h"
#include "sysinfo/SystemInfoLauncher.h"
#include "ui/AccessKeyPress.h"
#include "ui/Contrast.h"
#include "ui/Layout.h"
#include "ui/LayoutTables.h"
#include "ui/MessageBox.h"
#include "ui/frmAboutTexts.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

#include <algorithm>

namespace quartet {

namespace {

namespace texts = aboutTexts;
namespace table = layout::aboutDialog;

constexpr int kIconPixels = 32;
constexpr QColor kShadowColor{128, 128, 128};

QPushButton* createButton(QWidget* parent, const layout::Control& control, const QString& caption)
{
    auto* button = place(new QPushButton(caption, parent), control.name, control.rect.toPixels());
    AccessKeyPress::install(button);
    return button;
}

void drawLine(QPainter& painter, const table::Line& line, const QColor& color)
{
    painter.setPen(QPen(color, line.penWidthPixels, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(twipsToPixels(line.x1), twipsToPixels(line.y1), twipsToPixels(line.x2), twipsToPixels(line.y2));
}

// The texts of the labels as the eye reads them, top to bottom.
QString shownTexts(const QWidget& dialog)
{
    QList<QLabel*> labels = dialog.findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
    std::sort(labels.begin(), labels.end(),
              [](const QLabel* a, const QLabel* b) { return std::pair(a->y(), a->x()) < std::pair(b->y(), b->x()); });
    QStringList texts;
    for (const QLabel* label : labels) {
        if (!label->text().trimmed().isEmpty())
            texts << label->text().trimmed();
    }
    return texts.join(QLatin1Char(' '));
}

}  // namespace

frmAbout::frmAbout() : frmAbout(std::make_unique<SystemInfoLauncher>()) {}

frmAbout::frmAbout(std::unique_ptr<SystemInfoLauncher> launcher) : m_launcher(std::move(launcher))
{
    // A fixed dialog frame with the close box only, no owner and no
    // task-bar entry (see TaskbarHint.h).
    const Qt::WindowType type = canSkipTaskbar() ? Qt::Window : Qt::Tool;
    setWindowFlags(type | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                   | Qt::MSWindowsFixedSizeDialogHint);
    // Even as a tool window it keeps the program running while it is open.
    setAttribute(Qt::WA_QuitOnClose, true);
    setFixedSize(table::kClientArea.toPixels().size());
    fitFontToLayout(*this);
    createControls();
}

frmAbout::~frmAbout() = default;

void frmAbout::createControls()
{
    cmdOK = createButton(this, table::kOkButton, texts::kOk);
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);

    picIcon = place(new QLabel(this), table::kIcon.name, table::kIcon.rect.toPixels());
    picIcon->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    picIcon->setLineWidth(2);
    picIcon->setAlignment(Qt::AlignCenter);
    picIcon->setPixmap(QApplication::windowIcon().pixmap(QSize(kIconPixels, kIconPixels), devicePixelRatioF()));
    picIcon->setFocusPolicy(Qt::TabFocus);
    picIcon->setAccessibleName(texts::kIconName);

    cmdSysInfo = createButton(this, table::kSysInfoButton, texts::kSysInfo);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);

    // Most labels are black, but only where black reads on the desktop's
    // dialog colour; on a dark desktop they keep its own text colour.
    const bool blackReads = contrastRatio(Qt::black, palette().color(QPalette::Window)) >= kReadableContrast;
    const auto label = [this, blackReads](const char* name, const QString& text, bool black = true) {
        auto* created = place(new QLabel(text, this), name, layout::placeOf(table::kLabels, name));
        if (black && blackReads)
            drawTextInBlack(*created);
        created->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return created;
    };
    label("Label2", texts::kWebAddress);
    lblTitle = label("lblTitle", QString(), false);
    label("Label1", texts::kHobby);
    label("lblDescription", texts::kDescription)->adjustSize();  // one line, sized to its text
    lblVersion = label("lblVersion", QString(), false);
    label("lblDisclaimer", texts::kDisclaimer);

    QWidget::setTabOrder(cmdOK, picIcon);
    QWidget::setTabOrder(picIcon, cmdSysInfo);
}

void frmAbout::showOrRaise(const QWidget* beside)
{
    if (!isVisible()) {
        Form_Load();
        m_loadedUnread = true;
        centerOnScreen(*this);
        skipTaskbar(*this, beside);
        show();
        cmdOK->setFocus();
    }
    raise();
    activateWindow();
}

void frmAbout::Form_Load()
{
    setWindowTitle(texts::kCaption);
    lblVersion->setText(texts::versionText(program::kMajor, program::kMinor, program::kRevision));
    lblTitle->setText(texts::kTitle);
}

// A screen reader tells the dialog's title and the button with the focus
// when the dialog opens, and of its labels only those of three words and
// more, as spaces part them. So the labels are told as well, once the
// dialog is active and its button has the focus.
bool frmAbout::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate && m_loadedUnread) {
        m_loadedUnread = false;
        QTimer::singleShot(0, this, [this] { m_announcer.announce(shownTexts(*this)); });
    }
    return QDialog::event(event);
}

void frmAbout::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    QPainter painter(this);
    drawLine(painter, table::kSeparatorHighlight, Qt::white);
    drawLine(painter, table::kSeparatorShadow, kShadowColor);
}

// Esc and the close box end up here too, through QDialog's reject.
void frmAbout::cmdOK_Click()
{
    close();
}

void frmAbout::cmdSysInfo_Click()
{
    StartSysInfo();
}

void frmAbout::StartSysInfo()
{
    m_launcher->start([this](const std::string& message) {
        showMessageBox(this, texts::kMessageTitle, QString::fromStdString(message));
    });
}

}  // namespace quartet
