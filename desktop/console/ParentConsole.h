// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quartet {

// Windows only. A windowed program started from a console has no standard
// output or error of its own: Windows gives it none, while one started with
// its output redirected (to a file or a pipe) has those and keeps them. The
// first kind is attached to the console of the program that started it (the
// command prompt), and std::cout, std::cerr and stdio write there, in UTF-8.
// Lives for the run: it gives the console its code page back at the end.
class ParentConsole {
public:
    ParentConsole();
    ~ParentConsole();
    ParentConsole(const ParentConsole&) = delete;
    ParentConsole& operator=(const ParentConsole&) = delete;

private:
    unsigned m_codePage = 0;  // the console's own, while attached
};

}  // namespace quartet
