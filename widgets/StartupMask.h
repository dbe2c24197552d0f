#pragma once
// Each of the fifteen windows marks itself started; the staged initialisation
// waits for all of them.
#include <QtGlobal>

inline constexpr quint32 kStartupComplete = 0x7FFF;

void markStarted(quint32 bit);
quint32 startupMask();
void resetStartupMask(); // tests that create the windows more than once
