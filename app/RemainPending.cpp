// Commands whose work is still to come; each moves to the unit of its concern
// (files, editing, reshaping, sending …) when it is written.
#include "app/Remain.h"

void TForm1::IPtalkInport1Click() {}
void TForm1::Standard1Click() {}
void TForm1::Extend1Click() {}
void TForm1::N10Click() {}
