// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <glib.h>

#include <memory>

namespace quartet {

// Owns a string that GLib allocated.
struct GFree {
    void operator()(gpointer memory) const { g_free(memory); }
};

using GCharPtr = std::unique_ptr<gchar, GFree>;

// Owns a NULL-terminated array of strings that GLib allocated.
struct GStrvFree {
    void operator()(gchar** strings) const { g_strfreev(strings); }
};

using GStrvPtr = std::unique_ptr<gchar*, GStrvFree>;

// Owns a parsed key file.
struct GKeyFileFree {
    void operator()(GKeyFile* keys) const { g_key_file_free(keys); }
};

using GKeyFilePtr = std::unique_ptr<GKeyFile, GKeyFileFree>;

}  // namespace quartet
