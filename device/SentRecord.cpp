#include "SentRecord.h"

bool SentRecord::holds(const PreparedSet &set) const {
    QMutexLocker lock(&m_mutex);
    const auto it = m_content.constFind(set.place());
    return it != m_content.cend() && *it == set.content();
}

void SentRecord::remember(const PreparedSet &set) {
    QMutexLocker lock(&m_mutex);
    m_content.insert(set.place(), set.content());
}

void SentRecord::forgetPlace(const PreparedSet &set) {
    QMutexLocker lock(&m_mutex);
    m_content.remove(set.place());
}

void SentRecord::forget() {
    QMutexLocker lock(&m_mutex);
    m_content.clear();
}

bool SentRecord::knows(int place) const {
    QMutexLocker lock(&m_mutex);
    return m_content.contains(place);
}

bool SentRecord::isEmpty() const {
    QMutexLocker lock(&m_mutex);
    return m_content.isEmpty();
}
