// Must compile: a logic library using the layers below it.
#include "platform/Cp932.h"
#include "reshape/Reshape.h"
#include "roll/RollConventions.h"
