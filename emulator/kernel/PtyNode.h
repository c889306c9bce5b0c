#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace q7kernel {

class KernelTestbed;

// A device node of the testbed backed by a pseudo-terminal in raw mode: what the test writes to
// the master, a program reads from the node, and poll() on the node works as on the real one.
// The testbed's sysfs must give the node the pty's own major:minor (see majorMinor()), which
// hidapi compares with the node it opened.
class PtyNode {
public:
    PtyNode(KernelTestbed &bed, std::string devnode);
    ~PtyNode();
    PtyNode(const PtyNode &) = delete;
    PtyNode &operator=(const PtyNode &) = delete;

    const std::string &devnode() const { return devnode_; }
    // "MAJOR:MINOR" of the pty, which sysfs must give the node.
    std::string majorMinor() const;

    // Whole writes to the master; false once hung up.
    bool write(const std::uint8_t *data, std::size_t size);
    // Waits until what was written is readable on the node side (the pty hands it over
    // asynchronously).
    bool waitReadable(int timeoutMs) const;
    // Drops whatever is still unread on the node side.
    void drain();
    // Closes the master: readers of the node get end-of-file or EIO, poll() reports a hang-up.
    void hangUp();
    bool isHungUp() const { return master_ < 0; }
    // Makes the node unopenable for anyone without CAP_DAC_OVERRIDE.
    void denyAccess();

private:
    KernelTestbed &bed_;
    std::string devnode_;
    int master_ = -1;
    int slave_ = -1; // kept open, so the master never sees a node nobody holds
    std::string slaveName_;
};

} // namespace q7kernel
