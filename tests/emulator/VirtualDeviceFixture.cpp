#include "VirtualDeviceFixture.h"

#include "VirtualMouseControl.h"

#include <QFile>
#include <QTest>

VirtualDeviceFixture::VirtualDeviceFixture() : VirtualDeviceFixture(Options{}) {}

VirtualDeviceFixture::VirtualDeviceFixture(const Options &options) : options_(options) {
    qputenv("Q7_VIRTUAL_STATE", statePath().toLocal8Bit());
    if (options.log)
        qputenv("Q7_VIRTUAL_LOG", logPath().toLocal8Bit());
    else
        qunsetenv("Q7_VIRTUAL_LOG");
    qputenv("Q7_VIRTUAL_FAULT", options.faults);
    if (options.keyboard)
        qputenv("Q7_VIRTUAL_DEVICE", "keyboard");
    else
        qunsetenv("Q7_VIRTUAL_DEVICE");
    if (options.code.isEmpty())
        qunsetenv("Q7_VIRTUAL_CODE");
    else
        qputenv("Q7_VIRTUAL_CODE", options.code);
    q7vm_reset_for_tests();
}

VirtualDeviceFixture::~VirtualDeviceFixture() {
    for (hid_device *dev : handles_)
        hid_close(dev);
    q7vm_reset_for_tests();
    for (const char *name : {"Q7_VIRTUAL_STATE", "Q7_VIRTUAL_LOG", "Q7_VIRTUAL_FAULT",
                             "Q7_VIRTUAL_DEVICE", "Q7_VIRTUAL_CODE"})
        qunsetenv(name);
}

std::string VirtualDeviceFixture::commandPath() const {
    return options_.keyboard ? "virtual-q7-keyboard/command" : "virtual-q7/command";
}

std::string VirtualDeviceFixture::eventPath() const {
    return options_.keyboard ? "virtual-q7-keyboard/event" : "virtual-q7/event";
}

hid_device *VirtualDeviceFixture::openCommand() {
    hid_device *dev = hid_open_path(commandPath().c_str());
    if (dev)
        handles_.push_back(dev);
    return dev;
}

hid_device *VirtualDeviceFixture::openEvent() {
    hid_device *dev = hid_open_path(eventPath().c_str());
    if (dev)
        handles_.push_back(dev);
    return dev;
}

void VirtualDeviceFixture::close(hid_device *dev) {
    std::erase(handles_, dev);
    hid_close(dev);
}

int VirtualDeviceFixture::send(hid_device *dev, std::uint8_t command,
                               std::array<std::uint8_t, 6> params) {
    const std::string code = options_.code.isEmpty() ? std::string(TestScrambler::kFactoryCode)
                                                     : options_.code.toStdString();
    const TestScrambler::Report report = TestScrambler::commandReport(command, params, code);
    return hid_send_feature_report(dev, report.data(), report.size());
}

std::optional<TestScrambler::Body> VirtualDeviceFixture::rawAnswer(hid_device *dev) {
    std::array<std::uint8_t, 9> buffer{};
    if (hid_get_feature_report(dev, buffer.data(), buffer.size()) != 9 || buffer[0] != 0)
        return std::nullopt;
    TestScrambler::Body body{};
    std::copy(buffer.begin() + 1, buffer.end(), body.begin());
    return body;
}

std::optional<TestScrambler::Body> VirtualDeviceFixture::query(std::uint8_t command,
                                                               std::array<std::uint8_t, 6> params) {
    hid_device *dev = openCommand();
    if (!dev || send(dev, command, params) != 9)
        return std::nullopt;
    const auto answer = rawAnswer(dev);
    close(dev);
    if (!answer)
        return std::nullopt;
    const std::string code = options_.code.isEmpty() ? std::string(TestScrambler::kFactoryCode)
                                                     : options_.code.toStdString();
    return TestScrambler::unscramble(*answer, code);
}

int VirtualDeviceFixture::writeReport(hid_device *dev, const Bytes &chunk) {
    Bytes report(reportLength() + 1, 0x00);
    std::copy(chunk.begin(), chunk.end(), report.begin() + 1);
    return hid_write(dev, report.data(), report.size());
}

void VirtualDeviceFixture::set(std::uint8_t command, std::array<std::uint8_t, 6> params,
                               const Bytes &data) {
    hid_device *dev = openCommand();
    QVERIFY(dev);
    QCOMPARE(send(dev, command, params), 9);
    for (std::size_t offset = 0; offset < data.size(); offset += reportLength()) {
        const auto end = data.begin() + std::min(data.size(), offset + reportLength());
        QCOMPARE(writeReport(dev, Bytes(data.begin() + offset, end)),
                 static_cast<int>(reportLength() + 1));
    }
    close(dev);
}

Bytes VirtualDeviceFixture::readReport(hid_device *dev, int timeoutMs) {
    Bytes buffer(reportLength() + 1, 0xEE);
    const int n = hid_read_timeout(dev, buffer.data(), buffer.size(), timeoutMs);
    buffer.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return buffer;
}

Bytes VirtualDeviceFixture::bulkGet(std::uint8_t command, std::array<std::uint8_t, 6> params,
                                    std::size_t size, TestScrambler::Body *answer) {
    hid_device *dev = openCommand();
    if (!dev || send(dev, command, params) != 9)
        return {};
    const auto frame = rawAnswer(dev);
    if (!frame)
        return {};
    if (answer)
        *answer = *frame;
    Bytes data;
    while (data.size() < size) {
        const Bytes report = readReport(dev, 200);
        if (report.size() != reportLength())
            break;
        data.insert(data.end(), report.begin(), report.end());
    }
    close(dev);
    data.resize(std::min(data.size(), size));
    return data;
}

QStringList VirtualDeviceFixture::logLines() const {
    QFile file(logPath());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
}
