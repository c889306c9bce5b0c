#include "FocusWatch.h"

Q_LOGGING_CATEGORY(lcFocus, "q7.focus", QtInfoMsg)

namespace {

// Long enough for a desktop's two steps of one focus move, short beside a person's.
constexpr int NoFocusSettleMs = 150;

} // namespace

FocusWatch::FocusWatch(QObject *parent) : QObject(parent) {
    m_noFocusSettle.setSingleShot(true);
    m_noFocusSettle.setInterval(NoFocusSettleMs);
    connect(&m_noFocusSettle, &QTimer::timeout, this, [this] { emitChange({}); });
}

FocusWatch::~FocusWatch() = default;

void FocusWatch::report(const QString &applicationId) {
    if (applicationId.isEmpty()) {
        if (!m_focused.isEmpty() && !m_noFocusSettle.isActive())
            m_noFocusSettle.start();
        return;
    }
    m_noFocusSettle.stop();
    emitChange(applicationId);
}

bool FocusWatch::cannotStart(const QString &reason) {
    m_reason = reason;
    qCWarning(lcFocus).noquote() << reason;
    return false;
}

void FocusWatch::lost(const QString &reason) {
    m_reason = reason;
    qCWarning(lcFocus).noquote() << reason;
    report({});
}

void FocusWatch::emitChange(const QString &applicationId) {
    if (applicationId == m_focused)
        return;
    m_focused = applicationId;
    qCDebug(lcFocus).noquote() << backendName() << "focus:"
                               << (applicationId.isEmpty() ? QStringLiteral("(none)")
                                                           : applicationId);
    emit focusChanged(applicationId);
}
