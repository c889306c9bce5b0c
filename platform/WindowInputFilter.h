#pragma once

#include <QObject>

#include <functional>

class KeyTranslator;

// Installed on the view: feeds the translator with the keys and mouse buttons the window gets
// while it has focus. Events are only observed, never consumed.
class WindowInputFilter : public QObject {
    Q_OBJECT
public:
    explicit WindowInputFilter(KeyTranslator *translator, QObject *parent = nullptr);

    // While one says true, global capture reports that kind of event and the window stays
    // silent about it, so that nothing is reported twice.
    void setGlobalSources(std::function<bool()> keys, std::function<bool()> buttons);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    KeyTranslator *m_translator;
    std::function<bool()> m_globalKeys;
    std::function<bool()> m_globalButtons;
};
