// Key-definition records of the current profile ("keydefine/N", "keydefine_Q7/N") as the key page
// asks for them, for either device type, with any matrix id.
#include "FuzzFiles.h"
#include "FuzzInput.h"
#include "KeyDefineStore.h"
#include "SettingsFiles.h"
#include "StoragePaths.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    FuzzFiles::start(false);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    FuzzInput in(data, size);
    const int type = in.choose(3) - 1;
    const QString odd = QString::fromUtf8(in.line());
    FuzzFiles::write(StoragePaths::profile(0), in.rest());
    SettingsFiles files;
    const KeyDefineStore store(files, [type] { return type; });
    for (int id = -1; id <= 130; ++id)
        store.getKeydefine(id);
    store.getKeydefine(odd);
    store.getKeydefine(QVariant());
    return 0;
}
