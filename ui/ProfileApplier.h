#pragma once

#include "PreparedSet.h"

#include <QList>
#include <QObject>
#include <QVariantList>

#include <memory>
#include <optional>

class Hid_Thread;
class PageLogic;
class myQQuickView;

// Makes the mouse hold a stored profile: what the pages would send for it (polling rate, DPI
// stages, current stage and indicator colours, lighting, the key tables and their macros, the
// press gun), built by the slots' own send code, and of that only what differs from what the
// mouse was last given (the link's record). The press gun is not per profile: it goes only when
// the record does not know what the mouse holds of it.
class ProfileApplier : public QObject {
    Q_OBJECT
public:
    ProfileApplier(myQQuickView &view, Hid_Thread &hid);
    ~ProfileApplier() override;

    // Sends what profile (0 … 9) needs. Asked again while it sends (the link's waits let events
    // through), it turns to the newer profile at the next set: the last profile asked for is the
    // one the mouse ends with. Returns the number of sets sent.
    int apply(int profile);
    bool isApplying() const { return m_running; }

    // What the mouse must be given to hold profile, in the order the pages send it; nothing is
    // sent, but the mouse's own facts are read once (sensor type, stage count, indicator mode).
    QList<PreparedSet> setsFor(int profile);
    // The press gun's sets (option bytes read from the mouse, then the fire key's values).
    QList<PreparedSet> pressGunSets();

    // The mouse may be another one now (plugged in again, resumed): read its facts again.
    void forgetDevice() { m_facts.reset(); }
    // The pages' libraries, built on first use on the scene's engine (another engine would hold
    // its memory for the rest of the run) and shared with whoever else needs them, such as the bus
    // service.
    const PageLogic &logic();

signals:
    void applied(int profile, int setsSent);

private:
    struct DeviceFacts {
        int sensorType = 0;
        int stageCount = 8;
        bool paletteMode = false;
    };
    const DeviceFacts &facts();
    // Sends those of sets the mouse does not hold yet, while target is still the one wanted.
    int sendMissing(const QList<PreparedSet> &sets, int target);

    myQQuickView &m_view;
    Hid_Thread &m_hid;
    std::unique_ptr<PageLogic> m_logic;
    std::optional<DeviceFacts> m_facts;
    int m_wanted = -1;
    bool m_running = false;
};
