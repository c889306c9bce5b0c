// The recoil tables (gunData<N>.bin, selGunData.bin) as the press-gun page reads them.
#include "FuzzFiles.h"
#include "FuzzInput.h"
#include "RecoilStore.h"
#include "StorageFailures.h"
#include "StoragePaths.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    FuzzFiles::start(false);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    FuzzInput in(data, size);
    const QString odd = QString::fromUtf8(in.line());
    const QByteArray content = in.rest();
    FuzzFiles::write(StoragePaths::gunData(QStringLiteral("0")), content);
    FuzzFiles::write(StoragePaths::selectedGunData, content);
    StorageFailures failures;
    const RecoilStore store(failures);
    for (int game = -1; game < 3; ++game)
        store.getGundata(game);
    store.getGundata(odd);
    for (int key = -1; key < 4; ++key)
        store.getSelGundata(key);
    store.getSelGundata(odd);
    return 0;
}
