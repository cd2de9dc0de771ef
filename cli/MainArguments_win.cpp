// SPDX-License-Identifier: GPL-3.0-or-later
// Windows: the arguments of main() are in the ANSI code page, which turns
// what it cannot spell into look-alikes ("４" into "4") or question marks.
// The command line itself is UTF-16, and split the same way.
#include "cli/CommandLine.h"

#include "sysinfo/WindowsApi.h"

#include <shellapi.h>

namespace quartet {

QStringList CommandLine::argumentsOf(int argc, char* argv[])
{
    int count = 0;
    wchar_t** words = CommandLineToArgvW(GetCommandLineW(), &count);
    QStringList arguments;
    for (int i = 0; words != nullptr && i < count; ++i)
        arguments.append(QString::fromWCharArray(words[i]));
    LocalFree(words);
    if (arguments.size() == argc)
        return arguments;
    // Split otherwise than the C runtime split it: main()'s own words.
    arguments.clear();
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

}  // namespace quartet
