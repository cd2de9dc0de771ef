#include "ui/ListBoxResultList.h"

#include <QListWidget>

namespace quartet {

void ListBoxResultList::clear()
{
    if (listBox_->count() != 0)  // a deal clears the empty list thousands of times
        listBox_->clear();
}

void ListBoxResultList::append(std::string_view line)
{
    listBox_->addItem(QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size())));
}

int ListBoxResultList::count() const
{
    return listBox_->count();
}

}  // namespace quartet
