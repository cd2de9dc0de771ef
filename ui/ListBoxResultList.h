// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "solver/ResultList.h"

class QListWidget;

namespace quartet {

// Puts the main window's list box behind the solver's result list.
class ListBoxResultList final : public ResultList {
public:
    explicit ListBoxResultList(QListWidget* listBox) : m_listBox(listBox) {}

    void clear() override;
    void append(std::string_view line) override;
    int count() const override;

private:
    QListWidget* m_listBox;  // owned by the window
};

}  // namespace quartet
