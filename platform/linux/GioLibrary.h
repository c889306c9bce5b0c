#pragma once

// GIO names a struct member "signals", which Qt defines as a keyword.
#pragma push_macro("signals")
#undef signals
#include <gio/gio.h>
#pragma pop_macro("signals")

// The GIO calls the GNOME backend makes, resolved from libgio-2.0 when that backend is first
// used: on every other desktop the program never loads GIO and the GLib object system under it.
struct GioLibrary {
    // Null when libgio-2.0 cannot be loaded (told once).
    static const GioLibrary *get();

    decltype(&g_settings_schema_source_get_default) schemaSourceGetDefault;
    decltype(&g_settings_schema_source_lookup) schemaSourceLookup;
    decltype(&g_settings_schema_unref) schemaUnref;
    decltype(&g_settings_schema_has_key) schemaHasKey;
    decltype(&g_settings_new_full) settingsNewFull;
    decltype(&g_settings_sync) settingsSync;
    decltype(&g_settings_get_double) getDouble;
    decltype(&g_settings_set_double) setDouble;
    decltype(&g_settings_get_int) getInt;
    decltype(&g_settings_set_int) setInt;
    decltype(&g_settings_get_string) getString;
    decltype(&g_settings_set_string) setString;
    decltype(&g_object_get) objectGet;
    decltype(&g_object_unref) objectUnref;
    decltype(&g_type_name) typeName;
    decltype(&g_free) free;
};
