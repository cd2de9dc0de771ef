// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "solver/ResultList.h"

class QListWidget;

namespace quartet {

// Puts the main window's list box behind the solver's result list, its
// rows as high as a line of its font, its current line read out with it.
class ListBoxResultList final : public ResultList {
public:
    explicit ListBoxResultList(QListWidget* listBox);

    void clear() override;
    void append(std::string_view line) override;
    int count() const override;

private:
    QListWidget* m_listBox;  // owned by the window
};

}  // namespace quartet
