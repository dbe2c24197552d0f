#include "platform/ErrorLog.h"

#include "platform/Cp932.h"

#include <QFile>
#include <QLocale>
#include <QSaveFile>

#include <cxxabi.h>
#include <execinfo.h>

#include <cstdlib>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

constexpr int kMaxFrames = 64;
const QByteArray kEntryGap = "\r\n\r\n\r\n"; // the end of one line, then two empty lines

// "module(mangled+0x1f) [0x…]" → "module(demangled+0x1f) [0x…]".
QString readableFrame(const char *symbol)
{
    const QByteArray text(symbol);
    const qsizetype open = text.indexOf('(');
    const qsizetype plus = text.indexOf('+', open);
    if (open < 0 || plus <= open + 1)
        return QString::fromLocal8Bit(text);
    const QByteArray mangled = text.mid(open + 1, plus - open - 1);
    int status = 0;
    std::unique_ptr<char, decltype(&std::free)> demangled(
        abi::__cxa_demangle(mangled.constData(), nullptr, nullptr, &status), &std::free);
    if (status != 0 || !demangled)
        return QString::fromLocal8Bit(text);
    return QString::fromLocal8Bit(text.left(open + 1)) + QString::fromLocal8Bit(demangled.get())
        + QString::fromLocal8Bit(text.mid(plus));
}

} // namespace

QStringList currentCallStack(int skip)
{
    void *frames[kMaxFrames];
    const int count = backtrace(frames, kMaxFrames);
    std::unique_ptr<char *, decltype(&std::free)> symbols(backtrace_symbols(frames, count), &std::free);
    QStringList stack;
    for (int i = 1 + skip; i < count; ++i)
        stack << (symbols ? readableFrame(symbols.get()[i]) : u"%1"_s.arg(qulonglong(quintptr(frames[i])), 16, 16, QChar(u'0')));
    return stack;
}

QString currentPlace(int skip)
{
    void *frames[kMaxFrames];
    const int count = backtrace(frames, std::min(kMaxFrames, skip + 2));
    const quintptr address = count > 1 + skip ? quintptr(frames[1 + skip]) : 0;
    // As wide as an address is here (16 digits on 64-bit), in capitals.
    return u"at address "_s + u"%1"_s.arg(qulonglong(address), int(2 * sizeof(void *)), 16, QChar(u'0')).toUpper();
}

QStringList errorLogEntry(const ErrorReport &report, const QDateTime &when)
{
    const QLocale locale = QLocale::system();
    QStringList lines;
    lines << locale.toString(when.date(), QLocale::ShortFormat) + u' '
                 + locale.toString(when.time(), QLocale::LongFormat) + u" Exception "_s + report.type
                 + u" occured "_s + report.place;
    lines << u"Message: "_s + report.message;
    lines << u"Call stack: "_s;
    lines << report.stack;
    return lines;
}

bool prependToErrorLog(const QString &path, const QStringList &entry, QString *error, qsizetype limit)
{
    QByteArray bytes = cp932Encode(entry.join(u"\r\n"_s));
    QFile old(path);
    if (old.open(QIODevice::ReadOnly)) {
        // Only what can stay is read: a huge log from elsewhere costs no more.
        const QByteArray older = old.read(std::max<qsizetype>(0, limit - bytes.size()));
        const bool cut = !old.atEnd();
        old.close();
        if (!older.isEmpty()) {
            QByteArray kept = older;
            if (cut) {
                // Whole entries only: up to the last gap that fits.
                const qsizetype lastGap = kept.lastIndexOf(kEntryGap);
                kept = lastGap >= 0 ? kept.left(lastGap) : QByteArray();
            }
            if (!kept.isEmpty())
                bytes += kEntryGap + kept;
        }
    }
    if (!bytes.endsWith("\r\n"))
        bytes += "\r\n";
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

QString errorBoxText(const QString &message)
{
    if (!message.isEmpty() && message.back().unicode() > u'.')
        return message + u'.';
    return message;
}
