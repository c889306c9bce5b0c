#pragma once

#include "PointerSettings.h"

#include <QByteArray>

#include <optional>

// Hyprland: what `hyprctl keyword input:…` sends, written to its control socket. Its input
// section applies to every mouse; it has no double-click time.
class HyprlandPointerSettings : public PointerSettings {
public:
    static constexpr int TimeoutMs = 1000;

    explicit HyprlandPointerSettings(const QString &socketPath) : m_socketPath(socketPath) {}
    // The control socket of the instance the session names (HYPRLAND_INSTANCE_SIGNATURE): under
    // $XDG_RUNTIME_DIR/hypr since 0.40, under /tmp/hypr before. Empty outside Hyprland.
    static QString sessionSocket();
    // Whether Hyprland answers on the socket.
    static bool answers(const QString &socketPath);

    QString desktop() const override { return QStringLiteral("Hyprland"); }
    bool takes(Setting setting) const override { return setting != Setting::DoubleClickTime; }

    bool setSpeed(int speed) override;
    bool setAcceleration(bool on) override;
    std::optional<bool> acceleration() override;
    bool setWheelLines(int lines) override;

    // One request and Hyprland's whole reply (it closes the connection after it).
    static std::optional<QByteArray> request(const QString &socketPath, const QByteArray &command,
                                             QString *error = nullptr);

private:
    bool keyword(const QString &option, const QString &value);

    QString m_socketPath;
};
