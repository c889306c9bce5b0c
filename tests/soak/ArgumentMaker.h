#pragma once

#include <QString>
#include <QStringList>

#include <random>

// JSON arguments for the view's slots, as q7ctl takes them: mostly values a page would pass (the
// right lengths and ranges for the parameter's name), sometimes values the call must refuse
// (out of range, the wrong length or type, a name that points elsewhere, text that is not JSON).
class ArgumentMaker {
public:
    explicit ArgumentMaker(std::mt19937 &random) : m_random(random) {}

    // macros: the macro names that exist now.
    QString make(const QString &slot, int typeId, const QString &name, const QStringList &macros);

    // Whether the last value was made to be refused.
    bool lastWasBroken() const { return m_broken; }

private:
    int between(int low, int high) { return std::uniform_int_distribution(low, high)(m_random); }
    bool chance(double p) { return std::bernoulli_distribution(p)(m_random); }
    QString valid(const QString &slot, int typeId, const QString &name, const QStringList &macros);
    QString broken(int typeId, const QString &name);
    QString numbers(int count, int low, int high);
    QString macroLines();
    QString keyTable();

    std::mt19937 &m_random;
    bool m_broken = false;
    int m_newNames = 0;
};
