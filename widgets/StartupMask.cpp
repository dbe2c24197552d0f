#include "widgets/StartupMask.h"

namespace {
quint32 g_mask = 0;
}

void markStarted(quint32 bit)
{
    g_mask |= bit;
}

quint32 startupMask()
{
    return g_mask;
}

void resetStartupMask()
{
    g_mask = 0;
}
