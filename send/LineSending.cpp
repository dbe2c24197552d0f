#include "send/LineSending.h"

#include <algorithm>

LineSendStep lineSendStep(const QString &line, int caret, int textEnd, const CommentKinds &kinds)
{
    LineSendStep step;
    step.send = !IsRecognisedComment(line, kinds);
    // The advance counts characters, not lines.
    const qint64 after = qint64(caret) + line.size() + 1;
    step.caretAfter = int(std::clamp<qint64>(after, 0, textEnd));
    return step;
}

quint64 parseSendHandle(const QString &text)
{
    quint64 value = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            break;
        const quint64 next = value * 10 + quint64(c.unicode() - u'0');
        if (next / 10 != value)
            return 0; // too large to name a window
        value = next;
    }
    return value;
}

QString formatSendHandle(quint64 window)
{
    return QString::asprintf("%ld", long(window));
}
