#pragma once

#include "LocalSlotCaller.h"
#include "MouseActions.h"

#include <QDBusContext>
#include <QDBusMessage>
#include <QList>
#include <QObject>
#include <QTimer>
#include <QVariantMap>

#include <deque>
#include <functional>
#include <memory>

class PageLogic;
class Widget;

// The running window on the session bus: owns the application id there and serves the
// interface described in Mouse.xml (the adaptor is generated from it). Every call runs in the
// window's thread through the view's slots, one call at a time, so the pages show the change at
// once; property changes, whoever made them, are announced with PropertiesChanged.
class MouseService : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_PROPERTY(int Profile READ profile)
    Q_PROPERTY(int DpiStage READ dpiStage)
    Q_PROPERTY(QList<int> DpiStages READ dpiStages)
    Q_PROPERTY(int PollingRate READ pollingRate)
    Q_PROPERTY(QString Lighting READ lighting)
    Q_PROPERTY(bool Connected READ connected)
    Q_PROPERTY(bool DemoMode READ demoMode)
    Q_PROPERTY(bool RulesOn READ rulesOn)
public:
    explicit MouseService(Widget &widget);
    ~MouseService() override;

    // Takes the name on the session bus; false (and why, on the terminal) when it cannot.
    bool start();

    int profile() const;
    int dpiStage() const;
    QList<int> dpiStages() const;
    int pollingRate() const;
    QString lighting() const;
    bool connected() const;
    bool demoMode() const;
    bool rulesOn() const;

public slots:
    void SelectProfile(int profile);
    int NextProfile();
    int PreviousProfile();
    void SetDpiStage(int stage);
    int NextDpiStage();
    int PreviousDpiStage();
    void SetPollingRate(int hz);
    void SetLighting(const QString &effect, int brightness, int speed);
    void SetKey(const QString &key, const QString &function);
    void AddRule(const QString &application, int profile);
    void RemoveRule(const QString &application);
    void SetDefaultProfile(int profile);
    void SetRulesOn(bool on);
    QString Rules();
    QString Status();
    void Quit();
    QString Call(const QString &slot, const QStringList &args, const QVariantMap &options);

private:
    using Action = std::function<SlotOutcome()>;
    // What a method answers: nothing, the number in the outcome, or its value as JSON text.
    enum class Answer { Nothing, Number, Json };
    // Answers the current D-Bus call later, when its turn comes.
    void queue(Action action, Answer answer);
    void runQueue();
    static QDBusMessage reply(const QDBusMessage &call, const SlotOutcome &outcome, Answer answer);
    std::optional<SlotOutcome> gate() const;
    MouseActions &actions();

    QVariantMap propertyState() const;
    void announceChanges();

    // The view's, built when first needed: never during the start-up.
    const PageLogic &logic() const;

    Widget &m_widget;
    LocalSlotCaller m_caller;
    std::unique_ptr<MouseActions> m_actions; // made on the first call that needs it
    std::deque<std::function<void()>> m_calls;
    bool m_running = false;
    QVariantMap m_announced;
    QTimer m_changes;
    bool m_registered = false;
};
