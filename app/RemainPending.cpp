// Commands whose work is still to come; each moves to the unit of its concern
// (files, editing, reshaping, sending …) when it is written.
#include "app/Remain.h"

void TForm1::Break1Click() {}
void TForm1::Restore1Click() {}
void TForm1::Rubi2Click() {}
void TForm1::Rubi3Click() {}
void TForm1::PaternMark1Click() {}
void TForm1::IPtalkInport1Click() {}
