// A profile file the user imports (the profile menu's "load"): checked, then put in place of the
// profile, or refused with the profile kept as it was; either way the pages read what is there.
#include "FuzzFiles.h"
#include "ProfileReads.h"
#include "StoragePaths.h"
#include "myQQuickView.h"

#include <cstdlib>

namespace {
myQQuickView *view = nullptr;
const QString Shipped = QStringLiteral("setting/p1.bin");
} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    FuzzFiles::start(true);
    view = new myQQuickView(nullptr, false);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray content(reinterpret_cast<const char *>(data), qsizetype(size));
    FuzzFiles::restore(Shipped);
    view->profileSettings(0)->sync();
    const QByteArray before = StorageSandbox::readFile(StoragePaths::profile(0));
    const QString chosen = FuzzFiles::sandbox().path(QStringLiteral("imported.pf"));
    FuzzFiles::write(chosen, content);

    RecordingPrompt &prompt = FuzzFiles::prompt();
    prompt.warnings.clear();
    prompt.fileNames = {chosen};
    view->loadProfile(0);
    // Taken whole, or refused and the profile kept.
    const QByteArray after = StorageSandbox::readFile(StoragePaths::profile(0));
    if (after != (prompt.warnings.isEmpty() ? content : before))
        std::abort();
    readProfilePages(*view);
    prompt.titles.clear();
    return 0;
}
