// velmat-tool: the editor's roll commands for scripts and bulk checks.
#include "cli/CliSubcommands.h"
#include "cli/CliIo.h"

#include "platform/Fonts.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTextStream>

#include <functional>
#include <unistd.h>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

const char kUsage[] =
    "Usage: velmat-tool COMMAND [OPTIONS] [FILE]\n"
    "\n"
    "Works on a roll as the editor does. FILE is a roll file, or \"-\" or nothing\n"
    "for standard input; it is read as Shift-JIS unless it begins with a\n"
    "byte-order mark. Output is UTF-8 with LF line ends, or Shift-JIS with CR LF\n"
    "with --sjis.\n"
    "\n"
    "Commands:\n"
    "  width                         display width of each line (half-width cells)\n"
    "  check --chars N               caption lines wider than 2×N cells\n"
    "  check --pixels W [--font NAME] [--size PT]\n"
    "                                caption lines wider than the screen\n"
    "  count                         character total\n"
    "  analyze                       ChaSen's records of the roll\n"
    "  furigana                      the roll with ruby codes for the words ChaSen\n"
    "                                can read\n"
    "  advise                        the roll advisor's findings as an indented tree\n"
    "  words [--pos POS [--base] [--export FILE]]\n"
    "                                the parts of speech, the words of one, or\n"
    "                                them as an input method's dictionary file\n"
    "  marks [--base]                the nouns and verbs the marking marks, with\n"
    "                                their lines\n"
    "  reshape --chars N | --pixels W [--word-check] [--dic FILE] [--comment]\n"
    "          [--no-effect-cr] [--cr-dot] [--cr-comma] [--cr-insert]\n"
    "                                re-break over-long lines\n"
    "  break --at 。|／|、            break after every mark\n"
    "  center --chars N              centre caption lines\n"
    "  trim                          remove blanks at both ends of caption lines\n"
    "  talkers                       the talkers (text up to the first slash)\n"
    "  find TEXT                     lines that contain TEXT, as \"%05d : line\"\n"
    "  slide -o OUT.sl1 [--color-codes] …\n"
    "                                the roll as an IPtalk slide file\n"
    "  convert [--alpha=half|full] [--space=half|full] [--num=half|full]\n"
    "          [--kigou=half|full] [--kata=half|full] [--unit=symbol|kana]\n"
    "          [--user=fwd|rev --user-list FILE]\n"
    "                                convert character kinds (a class left out,\n"
    "                                or =no, stays as it is)\n"
    "  join -o OUT FILE...           join roll files into one roll (Shift-JIS, CR LF);\n"
    "                                exit status 1 when a file could not be read\n"
    "  dp9 FILE                      the check settings an IPtalk settings file gives\n"
    "\n"
    "  velmat-tool COMMAND --help    options of one command\n"
    "  velmat-tool --version\n"
    "\n"
    "Input larger than 256 MiB is refused. --chars takes at most 100 and --pixels\n"
    "at most 3000, as the editor's settings do.\n"
    "\n"
    "Exit status: 0 success, 1 a check found over-long lines (join: a file could\n"
    "not be read), 2 bad usage or unreadable input, 3 the output could not be\n"
    "written, 4 the output was written with losses: characters Shift-JIS lacks\n"
    "became \"?\" (in --sjis output, join -o, slide -o, words --export) or join\n"
    "read a document only in part; standard error names them and their lines.\n";

// Runs the command `args` names; its output waits in the standard output buffer.
int runCommand(const QStringList &args)
{
    if (args.isEmpty()) {
        QTextStream(stderr) << kUsage;
        return kCliUsage;
    }
    const QString &command = args.first();
    if (command == u"--help" || command == u"-h" || command == u"help") {
        writeOutput(QString::fromUtf8(kUsage), false);
        return kCliOk;
    }
    if (command == u"--version") {
        writeOutput(u"velmat-tool "_s + QStringLiteral(VELMAT_VERSION) + u'\n', false);
        return kCliOk;
    }
    const std::pair<const char *, std::function<int(const QStringList &)>> commands[] = {
        {"width", widthCommand},     {"check", checkCommand},     {"count", countCommand},
        {"analyze", analyzeCommand}, {"reshape", reshapeCommand}, {"break", breakCommand},
        {"center", centerCommand},   {"trim", trimCommand},       {"talkers", talkersCommand},
        {"find", findCommand},       {"slide", slideCommand},     {"convert", convertCommand},
        {"furigana", furiganaCommand}, {"advise", adviseCommand},
        {"words", wordsCommand},     {"marks", marksCommand},
        {"join", joinCommand},       {"dp9", dp9Command},
    };
    for (const auto &[name, run] : commands) {
        if (command == QLatin1String(name))
            return run(args.mid(1));
    }
    QTextStream(stderr) << "velmat-tool: unknown command \"" << command << "\" (see velmat-tool --help)\n";
    return kCliUsage;
}

} // namespace

int main(int argc, char *argv[])
{
    // Pixel widths need fonts but no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Outside a desktop session Qt would warn about this on every run.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QByteArray dir = QDir::tempPath().toLocal8Bit() + "/velmat-runtime-" + QByteArray::number(getuid());
        if (QDir().mkpath(QString::fromLocal8Bit(dir))
            && QFile::setPermissions(QString::fromLocal8Bit(dir),
                                     QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
            qputenv("XDG_RUNTIME_DIR", dir);
    }
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(u"velmat-tool"_s);
    QGuiApplication::setApplicationVersion(QStringLiteral(VELMAT_VERSION));
    installFontSubstitutions();

    return finishOutput(runCommand(QCoreApplication::arguments().mid(1)));
}
