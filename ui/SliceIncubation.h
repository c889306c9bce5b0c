#pragma once

#include <QObject>
#include <QQmlIncubationController>
#include <QTimer>

// Builds a scene's asynchronous parts (a Loader with `asynchronous: true`) a few milliseconds at a
// time from the event loop, so frames and input go on between. A Qt Quick widget's engine has no
// controller of its own, and without one such parts are built in one go.
class SliceIncubation : public QObject, public QQmlIncubationController {
    Q_OBJECT
public:
    explicit SliceIncubation(QObject *parent = nullptr);

protected:
    void incubatingObjectCountChanged(int count) override;

private:
    void step();

    QTimer m_timer;
};
