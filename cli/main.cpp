// velmat-tool: the editor's roll commands for scripts and bulk checks.
#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

const char kUsage[] =
    "Usage: velmat-tool COMMAND [OPTIONS] [FILE]\n"
    "\n"
    "Works on a roll as the editor does. FILE is a roll file, or \"-\" or nothing\n"
    "for standard input; it is read as Shift-JIS unless it begins with a\n"
    "byte-order mark. Output is UTF-8 with LF line ends.\n"
    "\n"
    "Options:\n"
    "  --help       show this help and exit\n"
    "  --version    show the version and exit\n"
    "\n"
    "Exit status: 0 success, 1 a check found over-long lines, 2 bad usage or\n"
    "unreadable input.\n";

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(u"velmat-tool"_s);
    const QStringList args = QCoreApplication::arguments().mid(1);
    QTextStream out(stdout);
    QTextStream err(stderr);

    if (args.isEmpty()) {
        err << kUsage;
        return 2;
    }
    const QString &command = args.first();
    if (command == u"--help" || command == u"-h" || command == u"help") {
        out << kUsage;
        return 0;
    }
    if (command == u"--version") {
        out << "velmat-tool " << VELMAT_VERSION << '\n';
        return 0;
    }
    err << "velmat-tool: unknown command \"" << command << "\" (see velmat-tool --help)\n";
    return 2;
}
