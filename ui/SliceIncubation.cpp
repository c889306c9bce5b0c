#include "SliceIncubation.h"

namespace {
// A third of a 60 Hz frame: the rest is left for drawing and events.
constexpr int SliceMs = 5;
} // namespace

SliceIncubation::SliceIncubation(QObject *parent) : QObject(parent) {
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, &SliceIncubation::step);
}

void SliceIncubation::incubatingObjectCountChanged(int count) {
    if (count > 0)
        m_timer.start();
    else
        m_timer.stop();
}

void SliceIncubation::step() {
    incubateFor(SliceMs);
}
