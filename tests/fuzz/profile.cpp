// A profile file (p1.bin … p10.bin, and the factory profile pD.bin) as the view reads it for the
// pages: report rate, DPI stages, colours, lighting, pointer sliders, key tables, pictures.
#include "FuzzFiles.h"
#include "ProfileReads.h"
#include "StoragePaths.h"
#include "myQQuickView.h"

namespace {
myQQuickView *view = nullptr;
} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    FuzzFiles::start(true);
    view = new myQQuickView(nullptr, false);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray content(reinterpret_cast<const char *>(data), qsizetype(size));
    FuzzFiles::write(StoragePaths::profile(0), content);
    FuzzFiles::write(StoragePaths::factoryProfile, content);
    view->currentProfile()->sync();

    readProfilePages(*view);
    return 0;
}
