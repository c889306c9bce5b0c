#include "DeviceCheck.h"

#include "DeviceTableReader.h"
#include "Hid_Thread.h"
#include "LinkState.h"
#include "myQQuickView.h"

#include <QSettings>

namespace DeviceCheck {

bool run(Hid_Thread &hid, myQQuickView &view) {
    const QStringList names =
        view.appSettings()->value(QStringLiteral("common/product_name")).toStringList();
    hid.scanDevices(
        DeviceTableReader::read(QString::fromLatin1(DeviceTableReader::EmbeddedPath), names));
    LinkState::instance().scrambling =
        DeviceTableReader::isEncoded(QString::fromLatin1(DeviceTableReader::EmbeddedPath));
    hid.swichCurDevice(hid.currentIndex());
    view.syncFW();
    return LinkState::instance().connected.load();
}

} // namespace DeviceCheck
