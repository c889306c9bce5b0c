#pragma once

#include "PointerSettings.h"
#include "SwayIpc.h"

#include <QJsonArray>
#include <QStringList>

#include <functional>

// sway: its IPC's `input <identifier> …` commands for the mouse's pointer alone (pointer_accel,
// accel_profile, scroll_factor). sway has no double-click time. The identifiers come from sway's
// own input list, matched by the mouse's USB ids.
class SwayPointerSettings : public PointerSettings {
public:
    // Picks the identifiers to configure from sway's input list (GET_INPUTS).
    using InputPicker = std::function<QStringList(const QJsonArray &inputs)>;

    SwayPointerSettings(const QString &socketPath, Device mouse, InputPicker picker = {});

    QString desktop() const override { return QStringLiteral("sway"); }
    bool takes(Setting setting) const override { return setting != Setting::DoubleClickTime; }
    bool mouseAlone(Setting setting) const override { return takes(setting); }

    bool setSpeed(int speed) override;
    bool setAcceleration(bool on) override;
    std::optional<bool> acceleration() override;
    bool setWheelLines(int lines) override;

    // The identifiers of the pointers in sway's input list with the mouse's USB ids.
    static QStringList mousePointers(const QJsonArray &inputs, Device mouse);

private:
    // `input "<identifier>" <setting>` for each of the mouse's pointers.
    bool configure(const QString &setting);
    std::optional<QJsonArray> inputs();

    SwayIpc m_ipc;
    Device m_mouse;
    InputPicker m_picker;
};
