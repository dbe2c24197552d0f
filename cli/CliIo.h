#pragma once
// Input and output of velmat-tool: a roll from a file or standard input,
// read as the editor reads it; results as UTF-8 with LF, or Shift-JIS with
// CR LF (--sjis).
#include <QCommandLineParser>
#include <QStringList>

struct DecodedText;
class Cp932Losses;

#include <optional>

// Exit statuses. kCliLossy: everything was written, but not all of it as it
// was (characters Shift-JIS lacks became "?", a document was read only in
// part); standard error says what. It takes the place of kCliOk only: a
// command that found something (kCliFound) still says so.
enum CliStatus { kCliOk = 0, kCliFound = 1, kCliUsage = 2, kCliWriteFailed = 3, kCliLossy = 4 };

// Largest --chars and --pixels, as the editor's settings allow them: a
// caption line of 100 full-width characters, a screen 3000 pixels wide.
inline constexpr int kMaxLineChars = 100;
inline constexpr int kMaxScreenPixels = 3000;

// The roll's lines from the positional argument (a path, "-" or nothing for
// standard input). On failure (unreadable, or larger than kTextInputLimit)
// prints the reason to stderr and returns nothing.
std::optional<QStringList> readRollLines(const QCommandLineParser &parser);

// Like readRollLines, but the text as the editor holds it.
std::optional<QString> readRollText(const QCommandLineParser &parser);

// Warns on stderr when `decoded` has undecodable parts; `name` says what was read.
void warnUndecoded(const QString &name, const DecodedText &decoded);

// Writes `text` ("\n" between lines) to standard output in the chosen form.
// A failed write is told by finishOutput.
void writeOutput(QStringView text, bool shiftJis);

// Flushes standard output. Returns `status` when everything written reached
// it; otherwise prints why and returns kCliWriteFailed. When characters became
// "?" in Shift-JIS output, names them and returns kCliLossy instead of kCliOk.
int finishOutput(int status);

// Names on standard error the characters of `where` that became "?" and their
// lines; false when none did.
bool warnLosses(const QString &where, const Cp932Losses &losses);

// Writes `lines` to `path` as a roll file (Shift-JIS, CR LF, replacing it in
// one step). Returns kCliOk, kCliLossy (losses named) or kCliWriteFailed (why printed).
int writeRollFile(const QString &path, const QStringList &lines);
// The same for a text whose line ends are already in it.
int writeShiftJisFile(const QString &path, QStringView text);

// Prints a usage error for `command` and returns kCliUsage.
int usageError(const QString &command, const QString &message);

// Parses `args` for a subcommand with the common --sjis option; prints the
// error and returns false on bad usage.
bool parseCommand(QCommandLineParser &parser, const QString &command, const QStringList &args);
// The same for a subcommand with arguments of its own: adds only --help, and
// prints the help and ends the program when it is asked for.
bool parseArguments(QCommandLineParser &parser, const QString &command, const QStringList &args);

// An integer option that must be present and within [min, max].
std::optional<int> intOption(const QCommandLineParser &parser, const QString &command, const QString &name,
                             int min, int max);
