// Must not compile: a logic library reaching up into the main window.
#include "app/Remain.h"
