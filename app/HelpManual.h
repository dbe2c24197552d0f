#pragma once
// Where the user manual is: the HTML the build makes beside the program, or
// the copy the package installs under share/doc.
#include <QString>
#include <QStringList>

// The manual's first page, in each folder searched.
inline constexpr char16_t kManualPage[] = u"index.html";

// Sections the program opens the manual at (anchors of the first page).
inline constexpr char16_t kManualTroubleshooting[] = u"troubleshooting";

// The folders to look in, in order, for a program in `programFolder`: the
// folder named by VELMAT_MANUAL_DIR when set, the install's
// share/doc/velmat/manual beside bin/, and the build tree's manual/.
QStringList manualSearchFolders(const QString &programFolder);

// The manual's first page in the first folder that holds one; empty when
// none does.
QString findManual(const QStringList &folders);
