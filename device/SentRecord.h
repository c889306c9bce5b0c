#pragma once

#include "PreparedSet.h"

#include <QHash>
#include <QMutex>

// What the mouse was last given, place by place: each set that went out whole. A set that failed
// leaves its place unknown, and forget() makes every place unknown (the mouse was plugged in
// again, the computer resumed). Written by the link's worker, read in the GUI thread.
class SentRecord {
public:
    bool holds(const PreparedSet &set) const;
    void remember(const PreparedSet &set);
    void forgetPlace(const PreparedSet &set);
    void forget();
    bool knows(int place) const;
    bool isEmpty() const;

private:
    mutable QMutex m_mutex;
    QHash<int, QByteArray> m_content;
};
