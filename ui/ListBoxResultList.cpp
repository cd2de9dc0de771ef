// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ListBoxResultList.h"

#include <QListWidget>
#include <QStyledItemDelegate>

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

}  // namespace

ListBoxResultList::ListBoxResultList(QListWidget* listBox) : m_listBox(listBox)
{
    m_listBox->setItemDelegate(new FontHighRows(m_listBox));
    m_listBox->setUniformItemSizes(true);
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
