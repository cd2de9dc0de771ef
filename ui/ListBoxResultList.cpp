// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ListBoxResultList.h"

#include <QAccessible>
#include <QEvent>
#include <QListWidget>
#include <QStyledItemDelegate>
#include <QTimer>

namespace quartet {

namespace {

// Rows one line of the list's font high, whatever the style, so that every
// desktop shows as many lines (Breeze adds 6 pixels to each row).
class FontHighRows final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return {QStyledItemDelegate::sizeHint(option, index).width(), option.fontMetrics.height()};
    }
};

// The list takes the focus with a current line, its first one unless the
// player moved on, but a screen reader hears only that the list has the
// focus, and Down then reads the line after the current one, which was
// never read. So once the list has told its own focus, it tells the current
// line's too.
class CurrentLineOnFocus final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn && QAccessible::isActive()) {
            auto* list = static_cast<QListWidget*>(watched);
            QTimer::singleShot(0, list, [list] { tellCurrentLine(*list); });
        }
        return false;
    }

private:
    static void tellCurrentLine(QListWidget& list)
    {
        if (!list.hasFocus() || list.currentRow() < 0)
            return;
        QAccessibleEvent event(&list, QAccessible::Focus);
        event.setChild(list.currentRow());
        QAccessible::updateAccessibility(&event);
    }
};

}  // namespace

ListBoxResultList::ListBoxResultList(QListWidget* listBox) : m_listBox(listBox)
{
    m_listBox->setItemDelegate(new FontHighRows(m_listBox));
    m_listBox->setUniformItemSizes(true);
    m_listBox->installEventFilter(new CurrentLineOnFocus(m_listBox));
}

void ListBoxResultList::clear()
{
    if (m_listBox->count() != 0)  // a deal clears the empty list thousands of times
        m_listBox->clear();
}

void ListBoxResultList::append(std::string_view line)
{
    m_listBox->addItem(QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size())));
}

int ListBoxResultList::count() const
{
    return m_listBox->count();
}

}  // namespace quartet
