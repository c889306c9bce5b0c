#pragma once

#include "DeviceSession.h"
#include "ReadyScheduler.h"
#include "UsbHidDevice.h"

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace q7kernel {

// One transfer as the firmware saw it, for tests that act at a given moment.
struct Transfer {
    enum class Kind { FeatureOut, FeatureIn, Output, Input, Event };
    Kind kind;
    std::uint8_t code = 0; // FeatureOut: the command, descrambled
};

// The Q7 at the kernel's interfaces: a USB device with the command interface (vendor page
// ff00: 8-byte feature reports, 32-byte output and input reports) and the event interface
// (ff01: 4-byte input reports), answered by the same firmware model as the virtual mouse's
// hidapi library. Its memory and traffic log live in the files of `settings`, and last across
// unplug and re-plug. The ready report reaches the event interface ReadyScheduler::kDelay
// after each command, as the library sends it.
class KernelQ7 {
public:
    static constexpr std::uint16_t kVendorId = 0x04d9;
    static constexpr std::uint16_t kProductId = 0xa09f;

    // port tells two mice of one testbed apart ("1-3", "1-4").
    KernelQ7(KernelTestbed &bed, q7vm::EmulatorSettings settings, std::string port = "1-3");
    ~KernelQ7();

    UsbHidDevice &usb() { return *usb_; }
    void plug();
    void unplug() { usb_->unplug(); }
    std::string commandNode() const { return usb_->devnode(0); }
    std::string eventNode() const { return usb_->devnode(1); }
    // A program is blocked reading the event interface: it holds the node and waits.
    bool isWatched() const;

    // The mouse is pulled out right after the first transfer for which `when` says so (it is
    // asked on umockdev's worker, so it must be quick). unplug() then finishes the removal.
    void vanishAfter(std::function<bool(const Transfer &)> when);
    bool hasVanished() const { return vanished_.load(); }

private:
    int setFeature(const std::uint8_t *report, std::size_t length);
    int getFeature(std::uint8_t *report, std::size_t length);
    int output(const std::uint8_t *report, std::size_t length);
    void inputRead(Transfer::Kind kind, const Bytes &report);
    void after(const Transfer &transfer);
    void scheduleReady();
    void deliverReadyReports();

    std::mutex mutex_; // the model, the scheduler and the trigger
    q7vm::DeviceSession session_;
    std::unique_ptr<UsbHidDevice> usb_;
    std::function<bool(const Transfer &)> vanishWhen_;
    std::atomic<bool> vanished_{false};

    q7vm::ReadyScheduler ready_;
    std::condition_variable readyChanged_;
    bool stopping_ = false;
    std::thread readyThread_;
};

} // namespace q7kernel
