#pragma once

#include "FocusWatch.h"

#include <memory>

class QDBusServiceWatcher;
class QTemporaryFile;
class KWinFocusReceiver;

// KDE Plasma (Wayland and X11): KWin tells no client which window is active, but it runs
// scripts. The watch loads a script of ours through org.kde.KWin /Scripting; the script calls
// back over the session bus when a window is activated, and when windows come and go. When KWin
// is restarted the script is loaded again; it is unloaded when the watch ends.
class KWinFocusWatch : public FocusWatch {
    Q_OBJECT
public:
    explicit KWinFocusWatch(QObject *parent = nullptr);
    ~KWinFocusWatch() override;

    // Whether KWin answers on the session bus.
    static bool answersOnSessionBus();

    QString backendName() const override { return QStringLiteral("kwin"); }
    bool start() override;
    QStringList runningApplications() const override { return m_applications; }

private:
    friend class KWinFocusReceiver;
    // Empty when the script runs; else why not, for the user.
    QString loadScript();
    void reload();
    void unloadScript();
    void kwinOwnerChanged(const QString &owner);
    void received(const QString &sender, const QString &member, const QString &argument);

    QString m_kwinOwner;
    QStringList m_applications;
    std::unique_ptr<KWinFocusReceiver> m_receiver;
    std::unique_ptr<QTemporaryFile> m_script;
    QDBusServiceWatcher *m_ownerWatch = nullptr;
    bool m_loaded = false;
    QTimer m_reload;
    int m_reloadTries = 0;
};
