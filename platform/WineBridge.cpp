#include "platform/WineBridge.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace {
const QString kBridgeFile = u"velmat-wine-bridge.exe"_s;

const QString kNoWine =
    u"Wine のプログラムへ送信するには wine が必要です。\r\n"
    u"sudo apt install wine を実行してから、もう一度「入力ウィンドウ特定」をしてください。"_s;
const QString kNoBridge =
    u"Wine のプログラムへ送信するための部品（velmat-wine-bridge.exe）が見つかりません。\r\n"
    u"Velmat をインストールし直してください。"_s;

bool loaderFound(const QString &loader)
{
    if (loader.contains(u'/'))
        return QFileInfo(loader).isExecutable();
    return !QStandardPaths::findExecutable(loader).isEmpty();
}

SendOutcome bridgeFailed(const QString &detail)
{
    return SendOutcome::failed(SendFailure::BridgeFailed, detail);
}
} // namespace

WineDelivery::~WineDelivery() = default;

struct WineBridge::Private {
    QString program;
    WineTarget wine;        // whose Wine the bridge runs in
    bool wineChosen = false; // false: the editor's own environment
    std::unique_ptr<QProcess> process;
    QByteArray pending;     // answer bytes read but not yet taken
    std::uint64_t nextId = 1;
    int ansiCodePage = 0;
    int startTimeoutMs = kStartTimeoutMs;
    int requestTimeoutMs = kRequestTimeoutMs;
};

WineBridge::WineBridge(QString bridgeProgram)
    : d(std::make_unique<Private>())
{
    d->program = bridgeProgram.isEmpty() ? locateBridge() : std::move(bridgeProgram);
    d->wine.wine = true;
    d->wine.loader = u"wine"_s;
}

WineBridge::~WineBridge()
{
    stop();
}

QString WineBridge::locateBridge()
{
    // A developer's or a test's own build of it comes first.
    if (const QString named = qEnvironmentVariable("VELMAT_WINE_BRIDGE"); !named.isEmpty())
        return named;
    const QString here = QCoreApplication::applicationDirPath();
    for (const QString &path : {here + u'/' + kBridgeFile,
                                here + u"/../lib/velmat/"_s + kBridgeFile}) {
        if (QFileInfo::exists(path))
            return QDir::cleanPath(path);
    }
    return {};
}

QString WineBridge::missing(const WineTarget &target) const
{
    if (d->program.isEmpty() || !QFileInfo::exists(d->program))
        return kNoBridge;
    if (!loaderFound(target.loader))
        return kNoWine;
    return {};
}

void WineBridge::setTimeouts(int startMs, int requestMs)
{
    d->startTimeoutMs = startMs;
    d->requestTimeoutMs = requestMs;
}

void WineBridge::useWine(const WineTarget &target)
{
    if (d->wineChosen && target == d->wine)
        return;
    stop(); // a bridge in another prefix cannot see the target
    d->wine = target;
    d->wineChosen = true;
}

bool WineBridge::ensureRunning(QString *why)
{
    // One that ended while idle (its Wine was shut down) is started afresh;
    // no request of ours was lost with it.
    if (d->process && d->process->state() == QProcess::Running && !d->process->waitForFinished(0))
        return true;
    stop();
    if (const QString problem = missing(d->wine); !problem.isEmpty()) {
        *why = problem;
        return false;
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (d->wineChosen) {
        // The target's prefix and locale: one wineserver, and the target's
        // ANSI code page, so that the A-form messages mean what they do there.
        if (d->wine.prefix.isEmpty())
            env.remove(u"WINEPREFIX"_s);
        else
            env.insert(u"WINEPREFIX"_s, d->wine.prefix);
        if (!d->wine.locale.isEmpty()) {
            for (const char *name : {"LANG", "LC_ALL", "LC_CTYPE"})
                env.remove(QLatin1StringView(name));
            for (const QString &entry : d->wine.locale)
                env.insert(entry.section(u'=', 0, 0), entry.section(u'=', 1));
        }
    }
    if (!env.contains(u"WINEDEBUG"_s))
        env.insert(u"WINEDEBUG"_s, u"-all"_s);

    d->process = std::make_unique<QProcess>();
    d->process->setProcessEnvironment(env);
    // Wine's own notes go nowhere: unread, they could fill the pipe and stall it.
    d->process->setStandardErrorFile(QProcess::nullDevice());
    d->process->start(d->wine.loader, {d->program});
    if (!d->process->waitForStarted(d->startTimeoutMs)) {
        *why = u"Wine への送信部品を起動できませんでした（%1）"_s.arg(d->process->errorString());
        stop();
        return false;
    }
    BridgeRequest hello;
    hello.verb = BridgeVerb::Hello;
    const Reply reply = call(hello, d->startTimeoutMs);
    const QString value = QString::fromStdString(reply.value);
    if (!reply.outcome.delivered()
        || value.section(u' ', 0, 0).toInt() != kBridgeProtocolVersion) {
        *why = reply.outcome.delivered()
                   ? u"Wine への送信部品の版が合いません。Velmat をインストールし直してください。"_s
                   : reply.outcome.detail;
        stop();
        return false;
    }
    d->ansiCodePage = value.section(u' ', 1, 1).toInt();
    return true;
}

void WineBridge::stop()
{
    if (!d->process)
        return;
    if (d->process->state() != QProcess::NotRunning) {
        // Its input closing ends the bridge; one that hangs is ended by force.
        d->process->closeWriteChannel();
        if (!d->process->waitForFinished(1000)) {
            d->process->kill();
            d->process->waitForFinished(1000);
        }
    }
    d->process.reset();
    d->pending.clear();
    d->ansiCodePage = 0;
}

WineBridge::Reply WineBridge::call(BridgeRequest request, int timeoutMs)
{
    if (request.verb != BridgeVerb::Hello) {
        QString why;
        if (!ensureRunning(&why))
            return {bridgeFailed(why), {}};
    }
    if (timeoutMs < 0)
        timeoutMs = d->requestTimeoutMs;
    request.id = d->nextId++;
    QProcess &process = *d->process;
    process.write(QByteArray::fromStdString(formatBridgeRequest(request) + '\n'));
    // The bridge says "busy" while a slow target takes a long line: the time
    // limit is for a bridge that has stopped answering, not for a long line.
    QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        d->pending += process.readAllStandardOutput();
        const qsizetype end = d->pending.indexOf('\n');
        if (end >= 0) {
            const QByteArray line = d->pending.left(end);
            d->pending.remove(0, end + 1);
            const auto answer = parseBridgeAnswer(std::string_view(line.constData(), line.size()));
            // Anything else is an answer to a request given up on, or noise.
            if (!answer || answer->id != request.id)
                continue;
            if (answer->busy) {
                deadline.setRemainingTime(timeoutMs);
                continue;
            }
            if (answer->ok)
                return {SendOutcome::ok(), answer->value};
            const std::string &reason = answer->value;
            if (reason == BridgeReason::Gone || reason == BridgeReason::None)
                return {SendOutcome::failed(SendFailure::TargetGone), {}};
            if (reason == BridgeReason::NoAnswer)
                return {SendOutcome::failed(SendFailure::NoAnswer), {}};
            return {bridgeFailed(u"Wine への送信部品が要求を受け付けませんでした（%1）"_s.arg(
                        QString::fromStdString(reason))),
                    {}};
        }
        if (process.state() != QProcess::Running) {
            stop();
            return {bridgeFailed(u"Wine への送信部品が終了しました"_s), {}};
        }
        if (deadline.hasExpired()) {
            stop(); // stuck: the next request starts a new one
            return {bridgeFailed(u"Wine への送信部品が応答しませんでした"_s), {}};
        }
        process.waitForReadyRead(int(deadline.remainingTime()));
    }
}

std::optional<WId> WineBridge::capture(const WineTarget &target, QString *why)
{
    useWine(target);
    BridgeRequest request;
    request.verb = BridgeVerb::Capture;
    const Reply reply = call(request);
    if (!reply.outcome.delivered()) {
        if (why)
            *why = reply.outcome.failure == SendFailure::TargetGone
                       ? u"マウスポインタの下にウィンドウがありません。"_s
                       : reply.outcome.detail;
        return std::nullopt;
    }
    return WId(QByteArray::fromStdString(reply.value).toULongLong());
}

SendOutcome WineBridge::exists(WId window)
{
    BridgeRequest request;
    request.verb = BridgeVerb::Exists;
    request.window = window;
    return call(request).outcome;
}

SendOutcome WineBridge::send(WId window, WineSendMethod method, QByteArrayView cp932Line)
{
    BridgeRequest request;
    request.verb = method == WineSendMethod::ReplaceText ? BridgeVerb::Replace : BridgeVerb::Type;
    request.window = window;
    request.text.assign(cp932Line.data(), size_t(cp932Line.size()));
    return call(request).outcome;
}

std::optional<QString> WineBridge::readText(WId window, QString *why)
{
    BridgeRequest request;
    request.verb = BridgeVerb::Read;
    request.window = window;
    const Reply reply = call(request);
    const auto bytes = reply.outcome.delivered() ? bridgeHexDecode(reply.value) : std::nullopt;
    if (!bytes) {
        if (why)
            *why = reply.outcome.delivered() ? u"bad text"_s : reply.outcome.detail;
        return std::nullopt;
    }
    return QString::fromUtf8(bytes->data(), qsizetype(bytes->size()));
}

int WineBridge::ansiCodePage()
{
    QString why;
    return ensureRunning(&why) ? d->ansiCodePage : 0;
}
