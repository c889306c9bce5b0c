// A macro file the user imports from anywhere, its name included: refused, or copied into the
// macro folder whole, and then read and encoded as the page does.
#include "FuzzFiles.h"
#include "FuzzInput.h"
#include "LanguageStore.h"
#include "MacroLibrary.h"
#include "StorageFailures.h"
#include "StoragePaths.h"

#include <QDir>

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    FuzzFiles::start(false);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    FuzzInput in(data, size);
    const QString name = FuzzFiles::fileName(in.line());
    const QByteArray content = in.rest();
    const QString outside = FuzzFiles::sandbox().path(QStringLiteral("import"));
    const QString chosen = outside + QLatin1Char('/') + name + StoragePaths::macroSuffix;
    FuzzFiles::write(chosen, content);

    LanguageStore languages;
    StorageFailures failures;
    MacroLibrary library(
        languages, [] { return DeviceType::mouse; }, [](int, int, const QString &) {}, failures);
    RecordingPrompt &prompt = FuzzFiles::prompt();
    prompt.fileNames = {chosen};
    const QString taken = library.loadMacroIniFromFile().toString();
    if (!taken.isEmpty()) {
        if (taken != name || StorageSandbox::readFile(StoragePaths::macro(taken)) != content)
            std::abort();
        library.loadMacroIni(taken);
        library.macroImage(DeviceType::keyboard, taken);
        library.macroImage(DeviceType::mouse, taken);
    }
    QDir(StoragePaths::macroDir).removeRecursively();
    QDir(outside).removeRecursively();
    prompt.warnings.clear();
    prompt.titles.clear();
    return 0;
}
