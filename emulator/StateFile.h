#pragma once

#include "FirmwareState.h"

#include <string>

namespace q7vm {

// The firmware's memory on disk, as text:
//   q7-virtual-state 1 mouse
//   report_rate 01
//   dpi_codes 07 0f 17 1f 27 31 5d 67
// One field per line, name then its bytes in hex. Any damage reads as factory state.
class StateFile {
public:
    explicit StateFile(std::string path) : path_(std::move(path)) {}

    // The stored state, or factory when the file is missing, from another personality or damaged.
    FirmwareState load(const FirmwareState &factory, const std::string &kindTag) const;
    // Temp file plus rename, so a reader never sees half a file. Returns false on failure.
    bool save(const FirmwareState &state, const std::string &kindTag) const;

    const std::string &path() const { return path_; }

private:
    std::string path_;
};

} // namespace q7vm
