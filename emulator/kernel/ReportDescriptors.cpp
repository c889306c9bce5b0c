#include "ReportDescriptors.h"

namespace q7kernel::ReportDescriptors {

namespace {

// Short items: tag and type in the high bits, the data size code in the low two.
constexpr std::uint8_t kUsagePage2 = 0x06;
constexpr std::uint8_t kUsage1 = 0x09;
constexpr std::uint8_t kUsage2 = 0x0a;
constexpr std::uint8_t kCollection = 0xa1;
constexpr std::uint8_t kApplication = 0x01;
constexpr std::uint8_t kLogicalMinimum1 = 0x15;
constexpr std::uint8_t kLogicalMaximum2 = 0x26;
constexpr std::uint8_t kReportSize1 = 0x75;
constexpr std::uint8_t kReportCount1 = 0x95;
constexpr std::uint8_t kInput = 0x81;
constexpr std::uint8_t kOutput = 0x91;
constexpr std::uint8_t kFeature = 0xb1;
constexpr std::uint8_t kDataVariableAbsolute = 0x02;
constexpr std::uint8_t kEndCollection = 0xc0;

void add16(Bytes &out, std::uint8_t item, std::uint16_t value) {
    out.insert(out.end(), {item, std::uint8_t(value & 0xff), std::uint8_t(value >> 8)});
}

void addReport(Bytes &out, std::uint8_t main, std::uint8_t usage, std::size_t bytes) {
    if (bytes == 0)
        return;
    out.insert(out.end(),
               {kUsage1, usage, kReportCount1, std::uint8_t(bytes), main, kDataVariableAbsolute});
}

} // namespace

Bytes collection(std::uint16_t usagePage, std::uint16_t usage, std::size_t featureBytes,
                 std::size_t outputBytes, std::size_t inputBytes) {
    Bytes out;
    add16(out, kUsagePage2, usagePage);
    if (usage <= 0xff)
        out.insert(out.end(), {kUsage1, std::uint8_t(usage)});
    else
        add16(out, kUsage2, usage);
    out.insert(out.end(), {kCollection, kApplication, kLogicalMinimum1, 0x00});
    add16(out, kLogicalMaximum2, 0x00ff);
    out.insert(out.end(), {kReportSize1, 0x08});
    addReport(out, kFeature, 0x01, featureBytes);
    addReport(out, kOutput, 0x02, outputBytes);
    addReport(out, kInput, 0x03, inputBytes);
    out.push_back(kEndCollection);
    return out;
}

} // namespace q7kernel::ReportDescriptors
