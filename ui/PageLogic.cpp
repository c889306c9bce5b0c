#include "PageLogic.h"

#include <QQmlComponent>
#include <QQmlEngine>

namespace {
// The libraries imported as the pages import them, from the compiled-in scene.
const char Loader[] = R"(
import QtQml
import "qrc:/modules/qml/Q7/sensor.js" as Sensor
import "qrc:/modules/qml/Q7/lighting.js" as Lighting
import "qrc:/modules/qml/Q7/keydefine.js" as Keys
import "qrc:/modules/qml/Q7/pressgun.js" as PressGun
QtObject {
    function library(name) { return [Sensor, Lighting, Keys, PressGun][name] }
}
)";
} // namespace

PageLogic::PageLogic() : PageLogic(nullptr) {}

PageLogic::PageLogic(QQmlEngine *engine)
    : m_ownEngine(engine ? nullptr : std::make_unique<QQmlEngine>()),
      m_engine(engine ? engine : m_ownEngine.get()) {
    QQmlComponent component(m_engine);
    component.setData(Loader, QUrl(QStringLiteral("qrc:/modules/qml/Q7/PageLogic.qml")));
    m_root.reset(component.create());
    if (!m_root)
        qWarning("PageLogic: %s", qUtf8Printable(component.errorString()));
}

PageLogic::~PageLogic() = default;

QJSValue PageLogic::library(Library library) const {
    if (!m_root)
        return {};
    // Called as JavaScript: a QVariant return would turn the library into a plain map.
    const QJSValue root = m_engine->toScriptValue(m_root.get());
    return root.property(QStringLiteral("library")).callWithInstance(root, {int(library)});
}

QJSValue PageLogic::call(Library which, const char *function,
                         std::initializer_list<QVariant> args) const {
    QJSValue f = library(which).property(QString::fromLatin1(function));
    if (!f.isCallable())
        return {};
    QJSValueList values;
    for (const QVariant &a : args)
        values.append(m_engine->toScriptValue(a));
    return f.call(values);
}

QJSValue PageLogic::value(Library which, const char *name) const {
    return library(which).property(QString::fromLatin1(name));
}

QVariantList PageLogic::toList(const QJSValue &array) {
    return array.toVariant().toList();
}
