#include "InputCapture.h"

#include "WindowInputFilter.h"
#include "linux/GlobalInputCapture.h"

#include <QCoreApplication>
#include <QWidget>

InputCapture::InputCapture(QObject *parent) : QObject(parent) {}

InputCapture::~InputCapture() {
    remove();
}

QString InputCapture::windowOnlyHint() {
    return windowOnlyLine() + QLatin1Char(' ') +
           QCoreApplication::translate("InputCapture",
                                       "To capture them in other windows too, add your user to "
                                       "the 'input' group and log in again (see README).");
}

QString InputCapture::windowOnlyLine() {
    return QCoreApplication::translate(
        "InputCapture", "Keys and mouse buttons are captured only while this window has focus.");
}

bool InputCapture::install(bool layoutFlag, QWidget *window) {
    remove();
    m_translator.rebuild(layoutFlag);
    m_global = new GlobalInputCapture(&m_translator, this);
    if (qEnvironmentVariable(GlobalCaptureVariable) != QLatin1String("0"))
        m_global->start();
    m_filter = new WindowInputFilter(&m_translator, this);
    m_filter->setGlobalSources([this] { return m_global && m_global->capturesKeys(); },
                               [this] { return m_global && m_global->capturesButtons(); });
    m_window = window;
    if (window)
        window->installEventFilter(m_filter);

    const bool global = isGlobal();
    static bool hintGiven = false;
    if (!global && !hintGiven) {
        hintGiven = true;
        qInfo().noquote() << windowOnlyHint();
    }
    return global;
}

void InputCapture::remove() {
    if (m_window && m_filter)
        m_window->removeEventFilter(m_filter);
    delete m_filter;
    m_filter = nullptr;
    delete m_global;
    m_global = nullptr;
    m_window = nullptr;
}

bool InputCapture::isGlobal() const {
    return m_global && m_global->isRunning();
}
