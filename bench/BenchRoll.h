#pragma once
// A deterministic roll for the editor benchmarks: caption lines of kanji,
// kana and full-width punctuation with talker marks and some ideographic
// spaces, a comment of each kind every few dozen lines; '\n' between lines.
#include <QString>
#include <QStringList>

inline QString makeBenchRoll(int lines, int charsPerLine)
{
    const QStringList words = {
        QStringLiteral("本日は"),   QStringLiteral("晴天なり"), QStringLiteral("ありがとう"),
        QStringLiteral("ございます"), QStringLiteral("　"),     QStringLiteral("要約筆記"),
        QStringLiteral("「はい」"), QStringLiteral("新しい朝"), QStringLiteral("、"),
        QStringLiteral("。"),       QStringLiteral("放送"),     QStringLiteral("確認"),
    };
    const QStringList markers = {QStringLiteral("<-"), QStringLiteral("<-◆"), QStringLiteral("<-●"),
                                 QStringLiteral("<-■")};
    quint32 seed = 20240611;
    auto next = [&seed] { return (seed = seed * 1664525u + 1013904223u) >> 8; };
    QString roll;
    roll.reserve(qsizetype(lines) * (charsPerLine + 1));
    for (int i = 0; i < lines; ++i) {
        QString line;
        if (i % 25 == 0)
            line = markers[(i / 25) % 4] + QStringLiteral("第%1節").arg(i / 25 + 1);
        else if (i % 7 == 0)
            line = QStringLiteral("田中／");
        while (line.size() < charsPerLine)
            line += words[int(next() % quint32(words.size()))];
        roll += line.left(charsPerLine);
        roll += u'\n';
    }
    return roll;
}
