#pragma once

#include <QJSValue>
#include <QString>
#include <QVariantList>

#include <initializer_list>
#include <memory>

class QQmlEngine;

// The pages' own JavaScript libraries (sensor.js, lighting.js, keydefine.js, pressgun.js), for
// callers outside the scene: q7ctl, the D-Bus interface and applying a profile compute codes,
// records and names exactly as the pages do, from the one copy of that logic.
class PageLogic {
public:
    enum class Library { Sensor, Lighting, Keys, PressGun };

    // With an engine of its own (a program without a scene: q7ctl).
    PageLogic();
    // On the scene's engine: a second engine would hold its memory for the whole run. The
    // libraries are shared ones (.pragma library), so the pages use the same instances; they hold
    // constants only.
    explicit PageLogic(QQmlEngine *engine);
    ~PageLogic();
    PageLogic(const PageLogic &) = delete;
    PageLogic &operator=(const PageLogic &) = delete;

    // A function of the library called with one argument per element of args; undefined when it
    // is not there. Not a QVariantList: {list} would pass the list's elements as the arguments.
    QJSValue call(Library library, const char *function,
                  std::initializer_list<QVariant> args = {}) const;
    // A variable of the library ("effects", "mouseEntries", …).
    QJSValue value(Library library, const char *name) const;

    static QVariantList toList(const QJSValue &array);

private:
    QJSValue library(Library library) const;

    std::unique_ptr<QQmlEngine> m_ownEngine;
    QQmlEngine *m_engine;
    std::unique_ptr<QObject> m_root;
};
