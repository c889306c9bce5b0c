#pragma once

#include <QSettings>
#include <QVariantList>

// Lists in the INI files come back as string lists, as a single string when they hold one
// element, or as a stored variant list; these read them all the same way.
class SettingsList {
public:
    // An absent key or an empty value gives an empty list.
    static QVariantList read(const QSettings &settings, const QString &key);
    // A text value. An unquoted text with a comma comes back from QSettings as a list; it is
    // joined again so hand-made files still read as written.
    static QString readText(const QSettings &settings, const QString &key,
                            const QString &fallback = QString());
    // The count a file claims for the items "group/0", "group/1", … cut to the items that are
    // really there (up to the highest index present), so a lying count costs nothing.
    static int presentCount(const QSettings &settings, const QString &group, int claimed);
    // Element i, or 0 when the list is shorter: callers from the pages may pass short lists.
    static QVariant elementOrZero(const QVariantList &list, qsizetype i);
};
