#include "ResourceProbe.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <unistd.h>

namespace {

constexpr long long MemoryAllowanceKiB = 8 * 1024;
constexpr int DescriptorAllowance = 2;
constexpr int ThreadAllowance = 3;
constexpr int FewestSamples = 6;

int entries(const QString &folder) {
    return int(
        QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System).size());
}

template <typename Get> long long highest(const QList<ResourceProbe::Sample> &samples, Get get) {
    long long top = 0;
    for (const ResourceProbe::Sample &s : samples)
        top = std::max(top, static_cast<long long>(get(s)));
    return top;
}

} // namespace

void ResourceProbe::sample() {
    Sample s;
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (statm.open(QIODevice::ReadOnly))
        s.residentKiB =
            statm.readAll().split(' ').value(1).toLongLong() * sysconf(_SC_PAGESIZE) / 1024;
    s.descriptors = entries(QStringLiteral("/proc/self/fd"));
    s.threads = entries(QStringLiteral("/proc/self/task"));
    m_samples.append(s);
}

ResourceProbe::Sample ResourceProbe::peak() const {
    return {highest(m_samples, [](const Sample &s) { return s.residentKiB; }),
            int(highest(m_samples, [](const Sample &s) { return s.descriptors; })),
            int(highest(m_samples, [](const Sample &s) { return s.threads; }))};
}

QStringList ResourceProbe::growth(bool judgeMemory) const {
    if (m_samples.size() < FewestSamples)
        return {};
    // The first fifth warms up (caches, the thread pool, the first file of each kind).
    const QList<Sample> settled = m_samples.mid(m_samples.size() / 5);
    const qsizetype third = settled.size() / 3;
    const QList<Sample> early = settled.first(third);
    const QList<Sample> late = settled.last(third);
    QStringList why;
    auto compare = [&](const char *what, auto get, long long allowance, const char *unit) {
        const long long before = highest(early, get), after = highest(late, get);
        if (after > before + allowance)
            why.append(QStringLiteral("%1 grew from %2 to %3 %4")
                           .arg(what)
                           .arg(before)
                           .arg(after)
                           .arg(unit));
    };
    if (judgeMemory)
        compare(
            "resident memory", [](const Sample &s) { return s.residentKiB; }, MemoryAllowanceKiB,
            "KiB");
    compare(
        "open descriptors", [](const Sample &s) { return s.descriptors; }, DescriptorAllowance, "");
    compare(
        "threads", [](const Sample &s) { return s.threads; }, ThreadAllowance, "");
    return why;
}
