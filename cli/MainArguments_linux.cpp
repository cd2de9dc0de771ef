// SPDX-License-Identifier: GPL-3.0-or-later
// Linux: the arguments of main() are bytes in the locale's encoding.
#include "cli/CommandLine.h"

namespace quartet {

QStringList CommandLine::argumentsOf(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

}  // namespace quartet
