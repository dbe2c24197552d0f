// Commands whose work is still to come; each moves to the unit of its concern
// (files, editing, reshaping, sending …) when it is written.
#include "app/Remain.h"

void TForm1::IPtalkInport1Click() {}
