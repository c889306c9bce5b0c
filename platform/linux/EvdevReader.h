#pragma once

#include <QObject>
#include <QPoint>

#include <functional>

class KeyTranslator;
class QSocketNotifier;
struct libevdev;

// Observes one /dev/input/event* node through libevdev, in the thread that owns it, and feeds
// its keys and its left, right and middle buttons to the translator. The device is never
// grabbed: every other reader still gets every event.
class EvdevReader : public QObject {
    Q_OBJECT
public:
    // Takes the descriptor, opened non-blocking, and closes it when done.
    EvdevReader(int fd, KeyTranslator *translator, std::function<QPoint()> pointerPosition,
                QObject *parent = nullptr);
    ~EvdevReader() override;

    // False when libevdev would not take the descriptor (not an input device).
    bool isOpen() const { return m_device != nullptr; }
    QString name() const;

signals:
    // The device went away (or failed); the reader has closed it.
    void gone();

private:
    void readAvailable();
    void handle(unsigned type, unsigned code, int value);
    void releaseHeld();
    bool hungUp() const;
    void close();

    int m_fd;
    libevdev *m_device = nullptr;
    QSocketNotifier *m_notifier = nullptr;
    KeyTranslator *m_translator;
    std::function<QPoint()> m_pointerPosition;
};
