// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/console/ParentConsole.h"

#include "sysinfo/WindowsApi.h"

#include <cstdio>
#include <iostream>

namespace quartet {

namespace {

bool hasHandle(DWORD stream)
{
    const HANDLE handle = GetStdHandle(stream);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}

// The C runtime's stream was set up without a handle; it is pointed at the
// console's output, and the C++ stream that writes through it follows.
void openConsoleOutput(FILE* stream, std::ostream& cppStream)
{
    FILE* ignored = nullptr;
    if (freopen_s(&ignored, "CONOUT$", "w", stream) == 0)
        cppStream.clear();
}

}  // namespace

ParentConsole::ParentConsole()
{
    // Redirected streams are written as they are; only missing ones go to the console.
    const bool outMissing = !hasHandle(STD_OUTPUT_HANDLE);
    const bool errorMissing = !hasHandle(STD_ERROR_HANDLE);
    if (!(outMissing || errorMissing) || !AttachConsole(ATTACH_PARENT_PROCESS))
        return;  // nothing missing, or no console to write to
    if (outMissing)
        openConsoleOutput(stdout, std::cout);
    if (errorMissing)
        openConsoleOutput(stderr, std::cerr);
    // The texts are UTF-8; the console shows them as such while we print.
    m_codePage = GetConsoleOutputCP();
    SetConsoleOutputCP(CP_UTF8);
}

ParentConsole::~ParentConsole()
{
    if (m_codePage == 0)
        return;
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    SetConsoleOutputCP(m_codePage);
}

}  // namespace quartet
