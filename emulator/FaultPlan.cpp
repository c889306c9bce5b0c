#include "FaultPlan.h"

#include <charconv>

namespace q7vm {

namespace {

constexpr std::string_view kAbsent = "absent";
constexpr std::string_view kUnplugAfter = "unplug-after:";
constexpr std::string_view kWriteError = "write-error";
constexpr std::string_view kStall = "stall";
constexpr std::string_view kNoAnswer = "no-answer";
constexpr std::string_view kNoReady = "no-ready";
constexpr std::string_view kNoPermission = "no-permission";
constexpr std::string_view kSlow = "slow:";

std::string_view trimmed(std::string_view s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

std::optional<long> parseCount(std::string_view digits) {
    long value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size() || value < 0)
        return std::nullopt;
    return value;
}

} // namespace

FaultPlan FaultPlan::parse(std::string_view text) {
    FaultPlan plan;
    while (!text.empty()) {
        const auto comma = text.find(',');
        const std::string_view token = trimmed(text.substr(0, comma));
        text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
        if (token.empty())
            continue;

        std::optional<long> count;
        if (token == kAbsent) {
            plan.absent = true;
        } else if (token == kWriteError) {
            plan.writeError = true;
        } else if (token == kStall) {
            plan.stall = true;
        } else if (token == kNoAnswer) {
            plan.noAnswer = true;
        } else if (token == kNoReady) {
            plan.noReady = true;
        } else if (token == kNoPermission) {
            plan.noPermission = true;
        } else if (token.starts_with(kUnplugAfter) &&
                   (count = parseCount(token.substr(kUnplugAfter.size())))) {
            plan.unplugAfterTransfers = *count;
        } else if (token.starts_with(kSlow) && (count = parseCount(token.substr(kSlow.size())))) {
            plan.slowMilliseconds = *count;
        } else {
            plan.unknown.emplace_back(token);
        }
    }
    return plan;
}

} // namespace q7vm
