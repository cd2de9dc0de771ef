// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessibleWidget>

class QLineEdit;

namespace quartet {

// What a screen reader reads of a line edit, as Qt's own accessible tells
// it but for the text attributes: Qt answers them with an empty run at the
// offset asked, and Orca 43, which builds the line it speaks from the runs,
// then leaves out the last character (the settings box's 13 is read as "1").
// Here the whole text is one run, as a line edit's text has no attributes.
class LineEditAccessible final : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit LineEditAccessible(QLineEdit* edit);

    // Makes every line edit of the program tell its text this way.
    static void install();

    void* interface_cast(QAccessible::InterfaceType type) override;
    QAccessible::State state() const override;
    QString text(QAccessible::Text type) const override;
    void setText(QAccessible::Text type, const QString& text) override;

    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

private:
    QLineEdit* edit() const;
    QString shownText() const;  // a password as its mask, as on the screen
};

}  // namespace quartet
