#include "EnumerationTest.h"

#include "VirtualDeviceFixture.h"

#include <QTest>

#include <cwchar>

namespace {

struct Entry {
    QString path;
    unsigned short vendor, product, usagePage, usage;
};

QList<Entry> entries(unsigned short vendor, unsigned short product) {
    QList<Entry> list;
    hid_device_info *all = hid_enumerate(vendor, product);
    for (hid_device_info *i = all; i; i = i->next)
        list.append(
            {QString::fromUtf8(i->path), i->vendor_id, i->product_id, i->usage_page, i->usage});
    hid_free_enumeration(all);
    return list;
}

} // namespace

void EnumerationTest::mouseListsCommandAndEventInterfaces() {
    VirtualDeviceFixture fixture;
    hid_device_info *all = hid_enumerate(0, 0);
    QVERIFY(all && all->next && !all->next->next);

    QCOMPARE(QString::fromUtf8(all->path), QString("virtual-q7/command"));
    QCOMPARE(all->vendor_id, 0x04d9);
    QCOMPARE(all->product_id, 0xa09f);
    QCOMPARE(all->usage_page, 0xff00);
    QCOMPARE(all->usage, 0xff00);
    QCOMPARE(all->bus_type, HID_API_BUS_USB);
    QCOMPARE(QString::fromWCharArray(all->product_string), QString("Q7 Gaming Mouse (virtual)"));
    QVERIFY(std::wcslen(all->manufacturer_string) > 0);
    QVERIFY(std::wcslen(all->serial_number) > 0);

    const hid_device_info *event = all->next;
    QCOMPARE(QString::fromUtf8(event->path), QString("virtual-q7/event"));
    QCOMPARE(event->usage_page, 0xff01);
    QCOMPARE(event->usage, 0xff01);
    hid_free_enumeration(all);
}

void EnumerationTest::idsFilterTheList() {
    VirtualDeviceFixture fixture;
    QCOMPARE(entries(0x04d9, 0xa09f).size(), 2);
    QCOMPARE(entries(0x04d9, 0).size(), 2);
    QCOMPARE(entries(0, 0xa09f).size(), 2);
    QVERIFY(entries(0x04d9, 0x8008).isEmpty());
    QVERIFY(entries(0x046d, 0).isEmpty());
}

void EnumerationTest::openByIdsGivesTheCommandInterface() {
    VirtualDeviceFixture fixture;
    hid_device *dev = hid_open(0x04d9, 0xa09f, nullptr);
    QVERIFY(dev);
    const hid_device_info *info = hid_get_device_info(dev);
    QVERIFY(info);
    QCOMPARE(info->usage_page, 0xff00);

    wchar_t text[64];
    QCOMPARE(hid_get_product_string(dev, text, 64), 0);
    QCOMPARE(QString::fromWCharArray(text), QString("Q7 Gaming Mouse (virtual)"));
    QCOMPARE(hid_get_serial_number_string(dev, text, 4), 0);
    QCOMPARE(std::wcslen(text), std::size_t(3)); // cut to the room given, terminated
    hid_close(dev);

    QVERIFY(!hid_open(0x04d9, 0x8008, nullptr));
    QVERIFY(!hid_open(0x04d9, 0xa09f, L"no-such-serial"));
}

void EnumerationTest::openPathOpensEitherInterface() {
    VirtualDeviceFixture fixture;
    hid_device *command = fixture.openCommand();
    hid_device *event = fixture.openEvent();
    QVERIFY(command && event);
    QCOMPARE(hid_get_device_info(event)->usage_page, 0xff01);

    QVERIFY(!hid_open_path("virtual-q7/other"));
    QVERIFY(QString::fromWCharArray(hid_error(nullptr)).contains("no such device"));
}

void EnumerationTest::keyboardPersonality() {
    VirtualDeviceFixture fixture(VirtualDeviceFixture::keyboard());
    const QList<Entry> list = entries(0, 0);
    QCOMPARE(list.size(), 2);
    QCOMPARE(list[0].product, 0x8008);
    QCOMPARE(list[0].usagePage, 0xff01);
    QCOMPARE(list[0].usage, 0x0001);
    QCOMPARE(list[1].usagePage, 0xff02);
    QCOMPARE(list[1].usage, 0x0001);
    QVERIFY(list[0].path != list[1].path);
    QVERIFY(entries(0x04d9, 0xa09f).isEmpty());
}

void EnumerationTest::versionIsTheHeadersVersion() {
    QCOMPARE(QString(hid_version_str()), QString("0.13.1"));
    QCOMPARE(hid_version()->minor, 13);
}
