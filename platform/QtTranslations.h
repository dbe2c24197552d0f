#pragma once
// Qt's own texts (file dialogs, standard buttons, input boxes, the overwrite
// question) in Japanese like the rest of the program, whatever language the
// desktop runs in.

// Installs Qt's Japanese translations into the running application; false
// when they are not installed on this system (Qt's texts stay English).
// Calling it again changes nothing.
bool installQtTranslations();
