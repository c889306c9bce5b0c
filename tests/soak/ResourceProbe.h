#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The soak's own process over time: resident memory, open descriptors and threads. Flat means the
// last third of the run holds no more than the first third after warming up, give or take a
// small allowance; a leak of a few bytes per call shows over a long run.
class ResourceProbe {
public:
    struct Sample {
        long long residentKiB = 0;
        int descriptors = 0;
        int threads = 0;
    };

    void sample();
    int samples() const { return int(m_samples.size()); }
    const Sample &first() const { return m_samples.first(); }
    const Sample &last() const { return m_samples.last(); }
    Sample peak() const;

    // Why the figures are not flat; empty when they are. judgeMemory false leaves memory out
    // (under AddressSanitizer freed memory is held back on purpose).
    QStringList growth(bool judgeMemory) const;

private:
    QList<Sample> m_samples;
};
