// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <glib-object.h>

#include <memory>

namespace quartet {

// Owns one reference to a GObject and drops it with g_object_unref.
struct GObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};

template <typename T>
using GObjectPtr = std::unique_ptr<T, GObjectUnref>;

// Owns a NULL-terminated array of strings that GLib allocated.
struct GStrvFree {
    void operator()(gchar** strings) const { g_strfreev(strings); }
};

using GStrvPtr = std::unique_ptr<gchar*, GStrvFree>;

}  // namespace quartet
