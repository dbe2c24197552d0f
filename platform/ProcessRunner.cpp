#include "platform/ProcessRunner.h"

#include <QDeadlineTimer>
#include <QProcess>

#ifdef Q_OS_LINUX
#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>
#endif

namespace {

constexpr int kSliceMs = 50;

void stop(QProcess &process)
{
    process.kill();
    process.waitForFinished(2000);
}

} // namespace

ProcessResult runProcess(const ProcessRequest &request)
{
    ProcessResult result;
    QProcess process;
    process.setProgram(request.program);
    process.setArguments(request.arguments);
    if (!request.workingDirectory.isEmpty())
        process.setWorkingDirectory(request.workingDirectory);
    process.setProcessChannelMode(QProcess::SeparateChannels);
#ifdef Q_OS_LINUX
    // We always wait for the program, so it must not outlive us: killed while
    // waiting, we would leave it running, writing into a folder nobody removes.
    const pid_t parent = getpid();
    process.setChildProcessModifier([parent] {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != parent)
            _exit(127);
    });
#endif

    process.start(QIODevice::ReadWrite);
    if (!process.waitForStarted(-1)) {
        result.status = ProcessResult::Status::FailedToStart;
        result.errorString = process.errorString();
        return result;
    }
    if (!request.standardInput.isEmpty())
        process.write(request.standardInput);
    process.closeWriteChannel();

    const QDeadlineTimer deadline(request.timeoutMs < 0 ? QDeadlineTimer::Forever
                                                        : QDeadlineTimer(request.timeoutMs));
    std::optional<ProcessResult::Status> stoppedAs;
    // Waiting in slices keeps the pipes drained (no deadlock on a full pipe) and
    // gives the caller its regular turn.
    while (process.state() != QProcess::NotRunning) {
        if (process.waitForFinished(kSliceMs))
            break;
        if (request.outputLimit >= 0 && process.bytesAvailable() > request.outputLimit) {
            result.outputTooLarge = true;
            stoppedAs = ProcessResult::Status::Cancelled;
        } else if (request.keepWaiting && !request.keepWaiting()) {
            stoppedAs = ProcessResult::Status::Cancelled;
        } else if (deadline.hasExpired()) {
            stoppedAs = ProcessResult::Status::TimedOut;
        }
        if (stoppedAs) {
            stop(process);
            break;
        }
    }

    result.standardOutput = process.readAllStandardOutput();
    result.standardError = process.readAllStandardError();
    if (request.outputLimit >= 0 && result.standardOutput.size() > request.outputLimit) {
        result.outputTooLarge = true;
        stoppedAs = ProcessResult::Status::Cancelled;
    }
    if (result.outputTooLarge)
        result.standardOutput = QByteArray();
    if (stoppedAs) {
        result.status = *stoppedAs;
    } else if (process.exitStatus() == QProcess::CrashExit) {
        result.status = ProcessResult::Status::Crashed;
        result.errorString = process.errorString();
    } else {
        result.status = ProcessResult::Status::Finished;
        result.exitCode = process.exitCode();
    }
    return result;
}
