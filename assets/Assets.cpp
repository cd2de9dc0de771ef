// SPDX-License-Identifier: GPL-3.0-or-later
#include "assets/Assets.h"

#include <QtGlobal>

// Q_INIT_RESOURCE declares the resource's init function where it is used, so
// it must run outside any namespace.
static void initQuartetResource()
{
    Q_INIT_RESOURCE(quartet);
}

namespace quartet {

void initAssets()
{
    initQuartetResource();
}

}  // namespace quartet
