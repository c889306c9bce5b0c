#pragma once

#include "KeyTranslator.h"

#include <QObject>
#include <QPointer>
#include <QString>

class GlobalInputCapture;
class QWidget;
class WindowInputFilter;

// Key and mouse-button capture for the macro and key-definition pages: always in the given
// window while it has focus, and on the whole desktop where the user may read the input
// devices. Reports come from translator()'s signals.
class InputCapture : public QObject {
    Q_OBJECT
public:
    // Set to 0, global capture is not tried even where it could run.
    static constexpr const char *GlobalCaptureVariable = "Q7_GLOBAL_CAPTURE";

    explicit InputCapture(QObject *parent = nullptr);
    ~InputCapture() override;

    // Rebuilds the maps with the layout flag, removes what was installed before and installs
    // capture in the window; returns whether global capture runs. Without it the terminal
    // hears so once.
    bool install(bool layoutFlag, QWidget *window);
    void remove();

    bool isGlobal() const;
    KeyTranslator *translator() { return &m_translator; }

    // What the user is told when keys are taken only while the window has focus.
    static QString windowOnlyHint();
    // Its first sentence, short enough for a line of the pages.
    static QString windowOnlyLine();

private:
    KeyTranslator m_translator;
    WindowInputFilter *m_filter = nullptr;
    GlobalInputCapture *m_global = nullptr;
    QPointer<QWidget> m_window;
};
