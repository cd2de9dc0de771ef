// SPDX-License-Identifier: GPL-3.0-or-later
// Every text of every window, as Qt draws it under the desktop theme the test
// runs with (ctest runs it under a light, two dark and a high-contrast theme),
// has a glyph for each of its characters and keeps a contrast of 4.5:1
// against what lies behind it; and no caption is clipped at the scale factor
// the test runs with.
#include "tests/support/EnvironmentOverride.h"
#include "tests/support/MessageBoxes.h"
#include "tests/ui/MainWindowFixture.h"
#include "ui/Contrast.h"
#include "ui/DialogInputBox.h"
#include "ui/frmAbout.h"

#include <QFontDatabase>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QRawFont>
#include <QStyle>
#include <QStyleOption>
#include <QTemporaryDir>

#include <iostream>
#include <random>

namespace quartet::test {
namespace {

// A text on a window, the rectangle it is drawn in, in the window's
// coordinates, and its font.
struct TextSpot {
    QString what;
    QRect rect;
    QFont font;
};

// The contrast of the text drawn in rect on the window's picture: the most
// common colour there lies behind the text, the one farthest from it is the
// text's own.
double textContrast(const QImage& shot, const QRect& rect)
{
    const qreal scale = shot.devicePixelRatio();
    const QRect pixels = QRectF(QPointF(rect.topLeft()) * scale, QSizeF(rect.size()) * scale).toRect() & shot.rect();
    QHash<QRgb, int> counts;
    for (int y = pixels.top(); y <= pixels.bottom(); ++y)
        for (int x = pixels.left(); x <= pixels.right(); ++x)
            ++counts[shot.pixel(x, y)];
    QRgb background = 0;
    int most = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > most)
            std::tie(background, most) = std::pair(it.key(), it.value());
    double farthest = 1.0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        farthest = std::max(farthest, contrastRatio(QColor(background), QColor(it.key())));
    return farthest;
}

// The window as Qt draws it, at twice its resolution: the thin strokes of
// small Song-face digits then reach their full colour, as the eye sees them,
// rather than a blend with the background.
QImage sharpPicture(QWidget* window)
{
    const qreal scale = 2 * window->devicePixelRatioF();
    QImage picture(window->size() * scale, QImage::Format_RGB32);
    picture.setDevicePixelRatio(scale);
    window->render(&picture);
    return picture;
}

QRect inWindow(const QWidget* widget, const QRect& rect)
{
    return {widget->mapTo(widget->window(), rect.topLeft()), rect.size()};
}

// The part of a card label that lies over its card picture, in the label's
// coordinates: where its value is drawn, whatever its width.
QRect overCard(const QLabel* label)
{
    const QString picture = QStringLiteral("Image%1").arg(label->property("index").toInt() + 1);
    const auto* card = label->parentWidget()->findChild<QWidget*>(picture);
    return card ? QRect(label->mapFromParent(card->pos()), card->size()) & label->rect() : QRect();
}

// Where the caption of a label or button is drawn.
QRect captionRect(const QWidget* widget, const QString& text)
{
    if (widget->objectName() == QLatin1String("lblDual"))
        return overCard(qobject_cast<const QLabel*>(widget));
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        const int wrap = label->wordWrap() ? Qt::TextWordWrap : 0;
        return label->fontMetrics().boundingRect(label->contentsRect(), int(label->alignment()) | wrap, text);
    }
    return widget->fontMetrics().boundingRect(widget->rect(), Qt::AlignCenter | Qt::TextShowMnemonic, text);
}

// The captions of every visible label and button of a window, its list
// rows, line edits and menu bar.
std::vector<TextSpot> textSpots(QWidget* window)
{
    std::vector<TextSpot> spots;
    for (const auto* label : window->findChildren<QLabel*>())
        if (label->isVisible() && !label->text().trimmed().isEmpty())
            spots.push_back({label->text(), inWindow(label, captionRect(label, label->text())), label->font()});
    for (const auto* button : window->findChildren<QAbstractButton*>())
        if (button->isVisible() && !button->text().isEmpty())
            spots.push_back({button->text(), inWindow(button, captionRect(button, button->text())), button->font()});
    for (const auto* edit : window->findChildren<QLineEdit*>()) {
        const int width = edit->fontMetrics().horizontalAdvance(edit->text()) + 4;  // the text, left-aligned
        spots.push_back({edit->text(), inWindow(edit, QRect(3, 3, width, edit->height() - 6)), edit->font()});
    }
    for (const auto* list : window->findChildren<QListWidget*>())
        for (int row = 0; row < list->count(); ++row) {
            const QRect rect = list->visualItemRect(list->item(row)) & list->viewport()->rect();
            if (!rect.isEmpty())
                spots.push_back({list->item(row)->text(), inWindow(list->viewport(), rect), list->font()});
        }
    if (auto* mainWindow = qobject_cast<QMainWindow*>(window))
        for (auto* action : mainWindow->menuBar()->actions())
            spots.push_back({action->text(),
                             inWindow(mainWindow->menuBar(), mainWindow->menuBar()->actionGeometry(action)),
                             mainWindow->menuBar()->font()});
    return spots;
}

// Characters of a text that neither its font nor the font that Qt falls
// back to for Chinese can draw.
QString withoutGlyph(const TextSpot& spot)
{
    const QRawFont own = QRawFont::fromFont(spot.font);
    const QRawFont chinese = QRawFont::fromFont(spot.font, QFontDatabase::SimplifiedChinese);
    QString missing;
    for (const char32_t c : spot.what.toUcs4())
        if (!QChar::isSpace(c) && c != u'&' && !own.supportsCharacter(c) && !chinese.supportsCharacter(c))
            missing += QString::fromUcs4(&c, 1);
    return missing;
}

class ReadabilityTest : public MainWindowTest {
protected:
    // Measures every text of a window as it is drawn now.
    void expectReadable(const QString& name, QWidget* window, std::vector<TextSpot> spots = {})
    {
        if (spots.empty())
            spots = textSpots(window);
        ASSERT_FALSE(spots.empty()) << name.toStdString();
        const QImage shot = sharpPicture(window);
        double lowest = 21.0;
        for (const auto& spot : spots) {
            EXPECT_EQ(withoutGlyph(spot), QString()) << name.toStdString() << ": " << spot.what.toStdString();
            const double contrast = textContrast(shot, spot.rect);
            lowest = std::min(lowest, contrast);
            EXPECT_GE(contrast, kReadableContrast) << name.toStdString() << ": " << spot.what.toStdString();
        }
        std::cout << "lowest contrast " << name.toStdString() << ": " << lowest << '\n';
    }

    // A window manager draws a box's title in bold between the window icon
    // and three buttons; the box leaves it that much room.
    static void expectRoomForTitle(const QDialog& box)
    {
        QFont bold = box.font();
        bold.setBold(true);
        const int decorations = 4 * box.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &box);
        EXPECT_GE(box.width(), QFontMetrics(bold).horizontalAdvance(box.windowTitle()) + decorations)
            << box.windowTitle().toStdString();
    }

    frmAbout* openAbout()
    {
        action("mnuAbout")->trigger();
        for (auto* widget : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<frmAbout*>(widget))
                return dialog;
        return nullptr;
    }
};

// The values that make the dealer draw these hands, one after the other.
std::vector<float> valuesFor(std::initializer_list<Hand> hands, int maxVal)
{
    std::vector<float> values;
    for (const Hand& hand : hands)
        for (const std::int16_t card : hand)
            values.push_back(FixedRandomSource::valueFor(card, maxVal));
    return values;
}

TEST_F(ReadabilityTest, MainWindowWithBothPanelsAndTheList)
{
    // Five-digit cards drawn smaller beside one- and two-digit ones.
    storedValues.insert(MemorySettingsStore::maxValPath(), "32767");
    open(valuesFor({{32767, 12, 32767, 2}}, 32767));
    action("mnuDeal")->trigger();
    QTest::mouseClick(child<QPushButton>("cmdCalc"), Qt::LeftButton);
    list()->setCurrentRow(1);  // a selected line too
    expectReadable("main window, card display", window.get());

    action("mnuSpecify")->trigger();
    for (int index : {12, 7, 0})
        QTest::mouseClick(child<QPushButton>("cmdMan", index), Qt::LeftButton);
    expectReadable("main window, entry panel", window.get());
}

TEST_F(ReadabilityTest, Menus)
{
    open();
    for (auto* heading : window->menuBar()->actions()) {
        QMenu* menu = heading->menu();
        menu->popup(window->mapToGlobal(QPoint(0, 0)));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
        menu->setActiveAction(menu->actions().front());  // a highlighted item too
        std::vector<TextSpot> spots;
        for (auto* item : menu->actions())
            if (!item->isSeparator())
                spots.push_back({item->text(), menu->actionGeometry(item), menu->font()});
        expectReadable(heading->text(), menu, spots);
        menu->hide();
    }
}

TEST_F(ReadabilityTest, MessageAndSettingsBoxes)
{
    storedValues.insert(MemorySettingsStore::maxValPath(), "2");
    open();
    inspectModalDialog([this] { action("mnuContents")->trigger(); },
                       [this](QDialog& box) { expectReadable("help box", &box); });
    inspectModalDialog([this] { action("mnuDeal")->trigger(); },
                       [this](QDialog& box) {
                           expectReadable("largest card value box", &box);
                           expectRoomForTitle(box);
                       });
    DialogInputBox input(window.get());
    inspectModalDialog([&input] { input.ask(CardRange::prompt, CardRange::title, QStringLiteral("13")); },
                       [this](QDialog& box) { expectReadable("settings box", &box); });
}

TEST_F(ReadabilityTest, AboutDialogAndItsMessage)
{
    open();
    frmAbout* dialog = openAbout();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
    expectReadable("About dialog", dialog);
    // A desktop without a system information tool, so that the button says so.
    const QTemporaryDir nothingInstalled;
    EnvironmentOverride environment;
    for (const char* variable : {"XDG_DATA_HOME", "XDG_DATA_DIRS"})
        environment.set(variable, nothingInstalled.filePath(QStringLiteral("none")).toLocal8Bit());
    bool shown = false;
    inspectModalDialog([dialog] { dialog->findChild<QPushButton*>("cmdSysInfo")->click(); },
                       [this, &shown](QDialog& box) {
                           shown = true;
                           expectReadable("About message", &box);
                           expectRoomForTitle(box);
                       });
    EXPECT_TRUE(shown);
}

// The result list's frame keeps all four lines at the scale factor the test
// runs with, though at 1.25 and 1.5 the edges of the list's inside fall
// between pixels.
TEST_F(ReadabilityTest, TheResultListKeepsItsFrame)
{
    open();
    child<QPushButton>("cmdDeal")->setFocus();  // the frame alone, without the list's focus mark
    const QImage shot = window->grab().toImage();
    const qreal scale = shot.devicePixelRatio();
    const QRectF frame(list()->mapTo(window.get(), QPoint(0, 0)), list()->size());
    // From the middle of each side outwards, one logical pixel a step.
    const std::pair<QPointF, QPointF> sides[] = {
        {{frame.center().x(), frame.top()}, {0, -1}},
        {{frame.center().x(), frame.bottom()}, {0, 1}},
        {{frame.left(), frame.center().y()}, {-1, 0}},
        {{frame.right(), frame.center().y()}, {1, 0}},
    };
    const auto colourAt = [&shot, scale](QPointF point) { return shot.pixel((point * scale).toPoint()); };
    for (const auto& [edge, out] : sides) {
        const QRgb outside = colourAt(edge + 3 * out);
        const QRgb inside = colourAt(edge - 4 * out);
        bool line = false;
        for (qreal step = -2; step <= 1; step += 1 / (2 * scale)) {
            const QRgb colour = colourAt(edge + step * out);
            line = line || (colour != outside && colour != inside);
        }
        EXPECT_TRUE(line) << "no frame line through " << edge.x() << "," << edge.y();
    }
}

// The card pictures and the About icon have a pixel for every pixel of the
// screen at the scale factor the test runs with: drawn for it, not enlarged,
// they are as sharp as the text beside them.
TEST_F(ReadabilityTest, PicturesHaveAPixelForEveryScreenPixel)
{
    open();
    frmAbout* about = openAbout();
    ASSERT_NE(about, nullptr);
    const std::pair<QLabel*, QSize> pictures[] = {
        {child<QLabel>("Image1"), QSize(75, 102)},
        {about->findChild<QLabel*>(QStringLiteral("picIcon")), QSize(32, 32)},
    };
    for (const auto& [picture, size] : pictures) {
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(picture->pixmap().size(), (QSizeF(size) * picture->devicePixelRatioF()).toSize())
            << picture->objectName().toStdString();
    }
}

// Pixels that the text covers for the most part.
int inkPixels(const QImage& image)
{
    int ink = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ink += qAlpha(image.pixel(x, y)) > 128 ? 1 : 0;
    return ink;
}

QImage transparentImage(const QSize& size, qreal scale)
{
    QImage image(size * scale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::transparent);
    return image;
}

// Whether a label shows less of its text than the text has: the label drawn
// on its own, without what lies behind it, against the same text drawn with
// room to spare.
bool isClipped(QLabel* label)
{
    const qreal scale = label->devicePixelRatioF();
    QImage shown = transparentImage(label->size(), scale);
    label->render(&shown, {}, {}, QWidget::DrawChildren);
    const QFontMetrics metrics(label->font());
    constexpr int kRoom = 20;
    QImage whole = transparentImage(metrics.size(0, label->text()) + QSize(2 * kRoom, 2 * kRoom), scale);
    QPainter painter(&whole);
    painter.setFont(label->font());
    painter.drawText(kRoom, kRoom + metrics.ascent(), label->text());
    painter.end();
    return inkPixels(shown) < inkPixels(whole);
}

// Whether a card label shows every digit of its value, judged by the
// pixels it draws: one run of columns with ink per digit (the hairlines of
// a small Song face are faint, but the columns between digits are clear),
// and all the ink over the card picture and clear of its edges, which a cut
// digit would reach.
::testing::AssertionResult showsEveryDigit(QLabel* label)
{
    const qreal scale = label->devicePixelRatioF();
    QImage shown = transparentImage(label->size(), scale);
    label->render(&shown, {}, {}, QWidget::DrawChildren);
    const QRect room = QRectF(QPointF(overCard(label).topLeft()) * scale, QSizeF(overCard(label).size()) * scale)
                           .toRect()
                           .adjusted(1, 1, -1, -1);
    QRect ink;
    int runs = 0;
    bool inkBefore = false;
    for (int x = 0; x < shown.width(); ++x) {
        bool inkHere = false;
        for (int y = 0; y < shown.height(); ++y) {
            if (qAlpha(shown.pixel(x, y)) > 0) {
                inkHere = true;
                ink |= QRect(x, y, 1, 1);
            }
        }
        runs += inkHere && !inkBefore ? 1 : 0;
        inkBefore = inkHere;
    }
    if (runs == label->text().size() && room.contains(ink))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << label->text().toStdString() << ": " << runs << " digits seen"
                                         << (room.contains(ink) ? "" : ", ink beyond the card or on its edge");
}

// No caption of a label or button is cut off, the widest card values
// included, at the scale factor and with the desktop font the test runs with.
TEST_F(ReadabilityTest, NothingIsClipped)
{
    // A store that another writer sets to 32767, then to 200, beyond what the
    // player may choose: hands with three-, four- and five-digit cards on
    // every label, then random hands up to 200.
    storedValues.insert(MemorySettingsStore::maxValPath(), "32767");
    std::vector<float> values = valuesFor({{12000, 1000, 200, 100}, {100, 200, 1000, 12000}}, 32767);
    std::mt19937 engine(25);
    for (int i = 0; i < 40000; ++i)
        values.push_back(static_cast<float>(engine() >> 8) / 16777216.0f);  // 24 bits: exact, below 1
    open(values);
    frmAbout* about = openAbout();
    ASSERT_NE(about, nullptr);
    const auto expectWhole = [](QWidget* top, const std::string& when) {
        for (auto* label : top->findChildren<QLabel*>()) {
            if (!label->isVisible() || label->text().trimmed().isEmpty())
                continue;
            if (label->objectName() == QLatin1String("lblDual")) {
                EXPECT_TRUE(showsEveryDigit(label)) << when;
            } else {
                EXPECT_FALSE(isClipped(label)) << when << ": " << label->text().toStdString();
            }
        }
        for (auto* button : top->findChildren<QPushButton*>()) {
            if (!button->isVisible() || button->text().isEmpty())
                continue;
            QStyleOptionButton option;
            option.initFrom(button);
            const QRect contents = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
            const QRect ink = button->fontMetrics().tightBoundingRect(QString(button->text()).remove(u'&'));
            EXPECT_LE(ink.width(), contents.width()) << when << ": " << button->text().toStdString();
            EXPECT_LE(ink.height(), contents.height()) << when << ": " << button->text().toStdString();
        }
    };
    expectWhole(about, "About");
    for (const QString& widest : {QStringLiteral("98"), QStringLiteral("88")}) {
        for (int i = 0; i < 4; ++i)
            child<QLabel>("lblDual", i)->setText(widest);
        expectWhole(window.get(), widest.toStdString());
    }
    for (const Hand& hand : {Hand{12000, 1000, 200, 100}, Hand{100, 200, 1000, 12000}}) {
        action("mnuDeal")->trigger();
        ASSERT_EQ(window->hand(), hand);
        expectWhole(window.get(), "dealt " + cardLabels().join(' ').toStdString());
    }

    store->setMaxVal(QStringLiteral("200"));
    action("mnuOption")->trigger();  // read afresh, shown, and stored again on Cancel
    EXPECT_EQ(input->defaults, QStringList{"200"});
    ASSERT_EQ(window->maxVal(), 200);
    EXPECT_EQ(store->maxVal(), "200");
    bool aboveNinetyNine = false;
    for (int deal = 0; deal < 5 && !aboveNinetyNine; ++deal) {
        action("mnuDeal")->trigger();
        for (const std::int16_t card : window->hand()) {
            EXPECT_GE(card, 1);
            EXPECT_LE(card, 200);
            aboveNinetyNine = aboveNinetyNine || card > 99;
        }
        expectWhole(window.get(), "dealt " + cardLabels().join(' ').toStdString());
    }
    EXPECT_TRUE(aboveNinetyNine) << "no card above 99 in 5 deals";
    action("mnuSpecify")->trigger();
    for (int i = 0; i < 4; ++i)
        QTest::mouseClick(child<QPushButton>("cmdMan", 12), Qt::LeftButton);  // "13" in every slot
    expectWhole(window.get(), "entry panel");
}

}  // namespace
}  // namespace quartet::test
