#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

#include <random>

// Drives the view's public slots at random, as q7ctl calls them (types, then domains, then the
// call), against the virtual mouse whose faults change at random every few seconds (a plug-in
// each time), and checks as it goes: every call ends within the bound of the exchanges it made,
// the wire carries only well-formed frames, the settings and macro files read back, a saved
// macro reads back as saved, and memory, descriptors and threads stay flat.
class Soak {
public:
    Soak(qint64 seconds, quint32 seed) : m_seconds(seconds), m_seed(seed), m_random(seed) {}

    // Prints what it did and the figures; false when it found a fault.
    bool run();

private:
    struct Counts {
        int calls = 0, broken = 0, refusedTypes = 0, refusedDomains = 0, called = 0;
        int frames = 0, savedMacros = 0, fileChecks = 0, phases = 0, warnings = 0;
        qint64 slowestMs = 0, slowestBoundMs = 0, slowestPerExchangeMs = 0;
        QMap<QString, int> failures; // by cause
        QMap<QString, int> faults;   // phases by fault
    };

    QString chooseFaults(long &slowMs);
    qint64 exchangeBoundMs(long slowMs) const;
    void report(const Counts &counts, const class ResourceProbe &probe, const class WireCheck &wire,
                const QStringList &problems) const;

    qint64 m_seconds;
    quint32 m_seed;
    std::mt19937 m_random;
};
