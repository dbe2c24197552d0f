// Must not compile: a logic library reaching for a widget.
#include <QWidget>
