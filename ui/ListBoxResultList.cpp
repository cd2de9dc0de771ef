// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ListBoxResultList.h"

#include <QListWidget>

namespace quartet {

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
