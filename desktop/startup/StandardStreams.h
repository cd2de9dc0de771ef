// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quartet {

// A program started with its standard input, output or error closed would
// see the next descriptor it opens (one of Qt's own, say) take that number,
// and its output go there. Called first thing, this gives each closed one
// /dev/null, opened the other way round: the number stays taken, and reading
// standard input or writing standard output or error still fails with
// EBADF, as on a closed descriptor.
void holdClosedStandardStreams();

}  // namespace quartet
