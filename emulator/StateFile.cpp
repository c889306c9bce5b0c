#include "StateFile.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace q7vm {

namespace {

constexpr const char *kMagic = "q7-virtual-state";
constexpr int kFormatVersion = 1;

bool parseHexByte(const std::string &token, std::uint8_t &out) {
    if (token.size() != 2)
        return false;
    unsigned value = 0;
    for (char c : token) {
        value <<= 4;
        if (c >= '0' && c <= '9')
            value |= static_cast<unsigned>(c - '0');
        else if (c >= 'a' && c <= 'f')
            value |= static_cast<unsigned>(c - 'a' + 10);
        else if (c >= 'A' && c <= 'F')
            value |= static_cast<unsigned>(c - 'A' + 10);
        else
            return false;
    }
    out = static_cast<std::uint8_t>(value);
    return true;
}

bool readHeader(std::istream &in, const std::string &kindTag) {
    std::string line;
    if (!std::getline(in, line))
        return false;
    std::istringstream words(line);
    std::string magic, kind;
    int version = 0;
    words >> magic >> version >> kind;
    return magic == kMagic && version == kFormatVersion && kind == kindTag;
}

bool readField(const std::string &line, FirmwareState &state) {
    std::istringstream words(line);
    std::string name;
    words >> name;
    if (!state.has(name))
        return false;
    Bytes value;
    std::string token;
    while (words >> token) {
        std::uint8_t b = 0;
        if (!parseHexByte(token, b))
            return false;
        value.push_back(b);
    }
    if (value.size() != state.field(name).size())
        return false;
    state.set(name, value);
    return true;
}

} // namespace

FirmwareState StateFile::load(const FirmwareState &factory, const std::string &kindTag) const {
    std::ifstream in(path_);
    if (!in || !readHeader(in, kindTag))
        return factory;
    FirmwareState state = factory;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line.front() == '#')
            continue;
        if (!readField(line, state))
            return factory;
    }
    return state;
}

bool StateFile::save(const FirmwareState &state, const std::string &kindTag) const {
    const std::string temporary = path_ + ".tmp-" + std::to_string(::getpid());
    {
        std::ofstream out(temporary, std::ios::trunc);
        if (!out)
            return false;
        out << kMagic << ' ' << kFormatVersion << ' ' << kindTag << '\n';
        static constexpr char kDigits[] = "0123456789abcdef";
        for (const std::string &name : state.names()) {
            out << name;
            for (std::uint8_t b : state.field(name))
                out << ' ' << kDigits[b >> 4] << kDigits[b & 0x0F];
            out << '\n';
        }
        if (!out.flush())
            return false;
    }
    if (std::rename(temporary.c_str(), path_.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

} // namespace q7vm
