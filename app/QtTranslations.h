// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quartet {

// Installs Qt's Chinese translation of its own texts (the buttons of message
// boxes, the input box's context menu, the command line's usage lines and
// parse errors), whatever the system's language: the program speaks Chinese
// only. Needs no more than a QCoreApplication, so the command line, which
// runs without a display, uses it too. Calling it again does no harm.
// Returns false when the translation is not installed: Qt's texts then stay
// in English.
bool installQtTranslations();

}  // namespace quartet
