#pragma once

#include <ctime>
#include <QByteArray>
#include <QtGlobal>

// Every test program runs in the same surroundings, wherever it is started: German time zone and
// language, windows drawn offscreen. Set before Qt reads any of them.
inline void fixTestSurroundings()
{
    qputenv("TZ", "Europe/Berlin");
    qputenv("LANG", "de_DE.UTF-8");
    qputenv("LC_ALL", "C.UTF-8");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    tzset();
}
