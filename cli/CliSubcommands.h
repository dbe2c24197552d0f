#pragma once
// The subcommands of velmat-tool; each takes the arguments after its name and
// returns the exit status.
#include <QStringList>

int widthCommand(const QStringList &args);
int checkCommand(const QStringList &args);
int countCommand(const QStringList &args);
int analyzeCommand(const QStringList &args);
int reshapeCommand(const QStringList &args);
int breakCommand(const QStringList &args);
int centerCommand(const QStringList &args);
int trimCommand(const QStringList &args);
int talkersCommand(const QStringList &args);
int findCommand(const QStringList &args);
int slideCommand(const QStringList &args);
int convertCommand(const QStringList &args);
int furiganaCommand(const QStringList &args);
int adviseCommand(const QStringList &args);
int wordsCommand(const QStringList &args);
int marksCommand(const QStringList &args);
int joinCommand(const QStringList &args);
int dp9Command(const QStringList &args);
