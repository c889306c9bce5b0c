// A macro file in the macro folder as the macro page reads it (its lines and binding) and as it is
// encoded for either device. Lines the page loads and saves back read back the same.
#include "FuzzFiles.h"
#include "FuzzInput.h"
#include "LanguageStore.h"
#include "MacroLibrary.h"
#include "StorageFailures.h"
#include "StoragePaths.h"

#include <cstdlib>

namespace {
const QString Name = QStringLiteral("fuzzed");
} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    FuzzFiles::start(false);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    FuzzInput in(data, size);
    const int type = in.choose(3) - 1;
    FuzzFiles::write(StoragePaths::macro(Name), in.rest());
    LanguageStore languages;
    StorageFailures failures;
    MacroLibrary library(
        languages, [type] { return type; }, [](int, int, const QString &) {}, failures);
    library.getMacroIniNames();
    library.loadMacroIniConfig(Name);
    library.macroImage(DeviceType::keyboard, Name);
    library.macroImage(DeviceType::mouse, Name);
    const QStringList lines = library.loadMacroIni(Name);
    if (library.saveMacroIni(Name, lines).toBool() && library.loadMacroIni(Name) != lines)
        std::abort();
    FuzzFiles::prompt().warnings.clear();
    FuzzFiles::prompt().titles.clear();
    return 0;
}
