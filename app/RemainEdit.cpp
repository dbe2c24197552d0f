// Clipboard and selection commands of the Edit menu.
#include "app/Remain.h"

#include "app/RollEditor.h"

void TForm1::cuT1Click() { RichEdit1->cut(); }
void TForm1::Copy1Click() { RichEdit1->copy(); }
void TForm1::Paste1Click() { RichEdit1->paste(); }
void TForm1::Delete1Click() { RichEdit1->textCursor().removeSelectedText(); }
void TForm1::All1Click() { RichEdit1->selectAll(); }
