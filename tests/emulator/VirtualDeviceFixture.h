#pragma once

#include "TestScrambler.h"

#include <hidapi.h>

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

// A fresh virtual device for one test: its own state and log files, the chosen personality,
// faults and secrecy code, and handles that are closed again at the end.
class VirtualDeviceFixture {
public:
    struct Options {
        bool keyboard = false;
        QByteArray faults;
        QByteArray code; // empty: the factory code
        bool log = true;
    };

    static Options keyboard() { return {true, {}, {}, true}; }
    static Options faults(const QByteArray &list) { return {false, list, {}, true}; }
    static Options code(const QByteArray &secrecyCode) { return {false, {}, secrecyCode, true}; }

    VirtualDeviceFixture();
    explicit VirtualDeviceFixture(const Options &options);
    ~VirtualDeviceFixture();
    VirtualDeviceFixture(const VirtualDeviceFixture &) = delete;
    VirtualDeviceFixture &operator=(const VirtualDeviceFixture &) = delete;

    std::string commandPath() const;
    std::string eventPath() const;
    std::size_t reportLength() const { return options_.keyboard ? 64 : 32; }

    hid_device *openCommand();
    hid_device *openEvent();
    void close(hid_device *dev);

    int send(hid_device *dev, std::uint8_t command, std::array<std::uint8_t, 6> params = {});
    // Answer bytes 1..8 as they came over the wire; nothing when the read failed.
    std::optional<TestScrambler::Body> rawAnswer(hid_device *dev);
    // A get without bulk data: send, read the answer and descramble it.
    std::optional<TestScrambler::Body> query(std::uint8_t command,
                                             std::array<std::uint8_t, 6> params = {});
    // A set: frame, then the data as output reports of the report length.
    void set(std::uint8_t command, std::array<std::uint8_t, 6> params, const Bytes &data = {});
    // A get with bulk data: frame, plain answer, then `size` bytes from input reports.
    Bytes bulkGet(std::uint8_t command, std::array<std::uint8_t, 6> params, std::size_t size,
                  TestScrambler::Body *answer = nullptr);
    int writeReport(hid_device *dev, const Bytes &chunk);
    Bytes readReport(hid_device *dev, int timeoutMs = 500);

    QString statePath() const { return dir_.filePath("device.state"); }
    QString logPath() const { return dir_.filePath("traffic.jsonl"); }
    QStringList logLines() const;

private:
    Options options_;
    QTemporaryDir dir_;
    std::vector<hid_device *> handles_;
};
