#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>

namespace q7vm {

// JSON Lines capture of every report on the wire:
//   {"kind": "feature_out", "hex": "00 82 ..."}
// Each line goes out in one write() on an O_APPEND descriptor, under a mutex, so lines from
// several threads (or processes) never interleave.
class TrafficLog {
public:
    explicit TrafficLog(std::string path);
    ~TrafficLog();
    TrafficLog(const TrafficLog &) = delete;
    TrafficLog &operator=(const TrafficLog &) = delete;

    void record(std::string_view kind, const std::uint8_t *data, std::size_t size,
                bool refused = false);

    static std::string formatLine(std::string_view kind, const std::uint8_t *data, std::size_t size,
                                  bool refused);

private:
    std::mutex mutex_;
    int fd_ = -1;
};

} // namespace q7vm
