// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/LineEditAccessible.h"

#include <QFontMetrics>
#include <QLineEdit>

namespace quartet {

namespace {

QAccessibleInterface* lineEditFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("QLineEdit") && object != nullptr && object->isWidgetType())
        return new LineEditAccessible(static_cast<QLineEdit*>(object));
    return nullptr;
}

}  // namespace

LineEditAccessible::LineEditAccessible(QLineEdit* edit) : QAccessibleWidget(edit, QAccessible::EditableText) {}

void LineEditAccessible::install()
{
    QAccessible::installFactory(&lineEditFactory);
}

QLineEdit* LineEditAccessible::edit() const
{
    return static_cast<QLineEdit*>(widget());
}

QString LineEditAccessible::shownText() const
{
    return edit()->displayText();
}

void* LineEditAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QAccessible::State LineEditAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = edit()->isReadOnly();
    state.editable = !state.readOnly;
    state.selectableText = true;
    state.passwordEdit = edit()->echoMode() != QLineEdit::Normal;
    return state;
}

QString LineEditAccessible::text(QAccessible::Text type) const
{
    return type == QAccessible::Value ? shownText() : QAccessibleWidget::text(type);
}

void LineEditAccessible::setText(QAccessible::Text type, const QString& text)
{
    if (type == QAccessible::Value)
        edit()->setText(text);
    else
        QAccessibleWidget::setText(type, text);
}

void LineEditAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const
{
    *startOffset = *endOffset = 0;
    if (selectionIndex == 0 && edit()->hasSelectedText()) {
        *startOffset = edit()->selectionStart();
        *endOffset = edit()->selectionEnd();
    }
}

int LineEditAccessible::selectionCount() const
{
    return edit()->hasSelectedText() ? 1 : 0;
}

void LineEditAccessible::addSelection(int startOffset, int endOffset)
{
    setSelection(0, startOffset, endOffset);
}

void LineEditAccessible::removeSelection(int /*selectionIndex*/)
{
    edit()->deselect();
}

void LineEditAccessible::setSelection(int /*selectionIndex*/, int startOffset, int endOffset)
{
    edit()->setSelection(startOffset, endOffset - startOffset);
}

int LineEditAccessible::cursorPosition() const
{
    return edit()->cursorPosition();
}

void LineEditAccessible::setCursorPosition(int position)
{
    edit()->setCursorPosition(position);
}

QString LineEditAccessible::text(int startOffset, int endOffset) const
{
    return shownText().mid(startOffset, endOffset - startOffset);
}

int LineEditAccessible::characterCount() const
{
    return static_cast<int>(shownText().size());
}

// Measured from the text cursor, which the line edit places on the screen,
// scrolled text included.
QRect LineEditAccessible::characterRect(int offset) const
{
    const QString text = shownText();
    if (offset < 0 || offset >= text.size())
        return {};
    const QFontMetrics metrics(edit()->font());
    const QRect cursor = edit()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    const int left = cursor.x() + metrics.horizontalAdvance(text.left(offset))
        - metrics.horizontalAdvance(text.left(edit()->cursorPosition()));
    const QRect local(left, cursor.y(), metrics.horizontalAdvance(text.at(offset)), cursor.height());
    return local.translated(edit()->mapToGlobal(QPoint(0, 0)));
}

int LineEditAccessible::offsetAtPoint(const QPoint& point) const
{
    return edit()->cursorPositionAt(edit()->mapFromGlobal(point));
}

void LineEditAccessible::scrollToSubstring(int /*startIndex*/, int endIndex)
{
    edit()->setCursorPosition(endIndex);
}

QString LineEditAccessible::attributes(int /*offset*/, int* startOffset, int* endOffset) const
{
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}

}  // namespace quartet
