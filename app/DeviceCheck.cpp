#include "DeviceCheck.h"

#include "DeviceTableReader.h"
#include "Hid_Thread.h"
#include "LinkState.h"
#include "myQQuickView.h"

#include <QSettings>

namespace DeviceCheck {

bool find(Hid_Thread &hid, myQQuickView &view) {
    const QStringList names =
        view.appSettings()->value(QStringLiteral("common/product_name")).toStringList();
    const DeviceTable table =
        DeviceTableReader::read(QString::fromLatin1(DeviceTableReader::EmbeddedPath), names);
    hid.scanDevices(table);
    for (const DeviceRecord &record : table)
        if (record.type == DeviceRecord::Mouse)
            view.setPointerDevice({record.vid, record.pid});
    LinkState::instance().scrambling =
        DeviceTableReader::isEncoded(QString::fromLatin1(DeviceTableReader::EmbeddedPath));
    hid.swichCurDevice(hid.currentIndex());
    return LinkState::instance().connected.load();
}

bool run(Hid_Thread &hid, myQQuickView &view) {
    const bool connected = find(hid, view);
    view.syncFW();
    return connected;
}

} // namespace DeviceCheck
