// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quartet {

// The list that shows the solver's answers. The solver needs exactly these
// three operations; the main window puts its list box behind them.
class ResultList {
public:
    virtual ~ResultList() = default;
    virtual void clear() = 0;
    virtual void append(std::string_view line) = 0;  // UTF-8 text
    virtual int count() const = 0;
};

// A result list held in memory, for tests and benchmarks.
class VectorResultList final : public ResultList {
public:
    void clear() override { m_lines.clear(); }
    void append(std::string_view line) override { m_lines.emplace_back(line); }
    int count() const override { return static_cast<int>(m_lines.size()); }
    const std::vector<std::string>& lines() const { return m_lines; }

private:
    std::vector<std::string> m_lines;
};

}  // namespace quartet
