// A language file, its name included, as the program lists the languages and loads one: font,
// interface strings, key position names and message texts.
#include "FuzzFiles.h"
#include "FuzzInput.h"
#include "LanguageStore.h"
#include "StoragePaths.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    FuzzFiles::start(false);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    FuzzInput in(data, size);
    const QString code = FuzzFiles::fileName(in.line());
    const QString file = QStringLiteral("i18n/lang_") + code + QStringLiteral(".ini");
    FuzzFiles::write(StoragePaths::language(code), in.rest());
    LanguageStore store;
    store.chkLanguages();
    store.getGlobalStrings(code);
    store.getProductLayoutStrings_Q7(code);
    for (int i = -1; i <= LanguageStore::messageCount; ++i)
        store.message(i);
    FuzzFiles::restore(file);
    return 0;
}
