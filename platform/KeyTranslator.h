#pragma once

#include <QObject>
#include <QPoint>

#include <array>
#include <cstdint>

// Turns key and mouse-button events into what the scene takes: the USB HID usage of each key
// press and release (once per change of state), and the button code of each press and release
// with the pointer's screen position. Every report is also a debug line under "q7.input".
class KeyTranslator : public QObject {
    Q_OBJECT
public:
    enum class Button { Left, Right, Middle };

    static constexpr uint8_t LeftButtonCode = 0xF0;
    static constexpr uint8_t RightButtonCode = 0xF1;
    static constexpr uint8_t MiddleButtonCode = 0xF2;

    explicit KeyTranslator(QObject *parent = nullptr);

    // Stores the layout flag and rebuilds both maps. The key state table is kept: a key held
    // across a rebuild stays pressed until it is released.
    void rebuild(bool layoutFlag);
    bool layoutFlag() const { return m_layoutFlag; }

    // A key as the Windows hook sees it: set-1 scan code, extended flag, Alt held.
    void scanCodeEvent(unsigned scanCode, bool extended, bool altDown, bool isDown);
    // A key by its Linux evdev code.
    void evdevKeyEvent(unsigned evdevCode, bool isDown);
    void buttonEvent(Button button, bool isDown, QPoint screenPosition);
    // Reports a release for every key still down: their releases can no longer arrive.
    void releaseAll();

    // The usage a key maps to, 0 for none (no state, no report).
    uint8_t usageOf(unsigned scanCode, bool extended, bool altDown = false) const;

signals:
    void keyReported(uint8_t usbCode, bool isDown);
    void buttonReported(uint8_t code, bool isDown, int x, int y);

private:
    bool m_layoutFlag = false;
    std::array<uint8_t, 0x10000> m_physicalKeys{};
    std::array<uint8_t, 0x100> m_virtualKeys{};
    std::array<uint8_t, 0x100> m_keyStates{};
};
