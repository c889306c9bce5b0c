#pragma once

#include <QString>

// The keys of the mouse's page state in a profile file, shared by the slots that write and read
// the current profile and by whatever reads another profile (applying it to the mouse).
namespace ProfileKeys {

inline const QString reportRate = QStringLiteral("sensor/reportRate_Q7");
inline const QString dpiStage = QStringLiteral("sensor/stage_Q7");
inline const QString dpiValues = QStringLiteral("sensor/dpi_Q7");
inline const QString ledEffect = QStringLiteral("color_Q7/ledEffect");
inline const QString scrollSwap = QStringLiteral("keydefine_Q7/scrollswap");

// type 0 the colour page's eight colours, 1 the DPI stages' colours, 2 their colour ids
inline QString colours(int type) {
    return QStringLiteral("color_Q7/type%1").arg(type);
}

// mouse key 0 … 15
inline QString mouseKey(int key) {
    return QStringLiteral("keydefine_Q7/%1").arg(key);
}

} // namespace ProfileKeys
