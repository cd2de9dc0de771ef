// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/startup/StandardStreams.h"

#ifndef _WIN32
#include <cerrno>
#include <initializer_list>

#include <fcntl.h>
#include <unistd.h>
#endif

namespace quartet {

void holdClosedStandardStreams()
{
#ifndef _WIN32
    struct Stream {
        int number;
        int unusableWay;
    };
    for (const Stream stream :
         {Stream{STDIN_FILENO, O_WRONLY}, Stream{STDOUT_FILENO, O_RDONLY}, Stream{STDERR_FILENO, O_RDONLY}}) {
        if (::fcntl(stream.number, F_GETFD) != -1 || errno != EBADF)
            continue;
        // The lowest free number, which is this one: those below it are open by now.
        const int held = ::open("/dev/null", stream.unusableWay);
        if (held >= 0 && held != stream.number) {
            ::dup2(held, stream.number);
            ::close(held);
        }
    }
#endif
}

}  // namespace quartet
