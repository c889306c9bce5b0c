#include "TrafficLog.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace q7vm {

TrafficLog::TrafficLog(std::string path) {
    if (!path.empty())
        fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
}

TrafficLog::~TrafficLog() {
    if (fd_ >= 0)
        ::close(fd_);
}

std::string TrafficLog::formatLine(std::string_view kind, const std::uint8_t *data,
                                   std::size_t size, bool refused) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string line = "{\"kind\": \"";
    line += kind;
    line += "\", \"hex\": \"";
    for (std::size_t i = 0; i < size; ++i) {
        if (i > 0)
            line += ' ';
        line += kDigits[data[i] >> 4];
        line += kDigits[data[i] & 0x0F];
    }
    line += '"';
    if (refused)
        line += ", \"refused\": true";
    line += "}\n";
    return line;
}

void TrafficLog::record(std::string_view kind, const std::uint8_t *data, std::size_t size,
                        bool refused) {
    if (fd_ < 0)
        return;
    const std::string line = formatLine(kind, data, size, refused);
    std::lock_guard lock(mutex_);
    std::size_t written = 0;
    while (written < line.size()) {
        const ssize_t n = ::write(fd_, line.data() + written, line.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return; // a full disk must not take the device down with it
        written += static_cast<std::size_t>(n);
    }
}

} // namespace q7vm
