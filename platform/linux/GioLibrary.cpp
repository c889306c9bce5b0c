#include "GioLibrary.h"

#include <QtGlobal>

#include <dlfcn.h>

namespace {

constexpr char LibraryName[] = "libgio-2.0.so.0";

// One symbol of the library into `slot`; false when it is missing.
template <typename Function> bool resolve(void *handle, const char *name, Function &slot) {
    slot = reinterpret_cast<Function>(dlsym(handle, name));
    return slot != nullptr;
}

} // namespace

const GioLibrary *GioLibrary::get() {
    static const GioLibrary *const library = []() -> const GioLibrary * {
        // Kept loaded for the rest of the run: GSettings keeps a worker thread in it.
        void *handle = dlopen(LibraryName, RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            qWarning("GNOME's pointer settings are out of reach: %s", dlerror());
            return nullptr;
        }
        static GioLibrary gio;
        const bool all =
            resolve(handle, "g_settings_schema_source_get_default", gio.schemaSourceGetDefault) &&
            resolve(handle, "g_settings_schema_source_lookup", gio.schemaSourceLookup) &&
            resolve(handle, "g_settings_schema_unref", gio.schemaUnref) &&
            resolve(handle, "g_settings_schema_has_key", gio.schemaHasKey) &&
            resolve(handle, "g_settings_new_full", gio.settingsNewFull) &&
            resolve(handle, "g_settings_sync", gio.settingsSync) &&
            resolve(handle, "g_settings_get_double", gio.getDouble) &&
            resolve(handle, "g_settings_set_double", gio.setDouble) &&
            resolve(handle, "g_settings_get_int", gio.getInt) &&
            resolve(handle, "g_settings_set_int", gio.setInt) &&
            resolve(handle, "g_settings_get_string", gio.getString) &&
            resolve(handle, "g_settings_set_string", gio.setString) &&
            resolve(handle, "g_object_get", gio.objectGet) &&
            resolve(handle, "g_object_unref", gio.objectUnref) &&
            resolve(handle, "g_type_name", gio.typeName) && resolve(handle, "g_free", gio.free);
        if (!all) {
            qWarning("GNOME's pointer settings are out of reach: %s lacks %s", LibraryName,
                     dlerror());
            return nullptr;
        }
        return &gio;
    }();
    return library;
}
