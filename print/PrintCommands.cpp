#include "print/PrintCommands.h"

#include "platform/PrintDialogs.h"
#include "platform/ErrorNotifier.h"
#include "platform/Prompter.h"
#include "print/PagePainter.h"
#include "roll/RollAccess.h"

#include <QDir>
#include <QFileInfo>
#include <QPrinter>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {
const QString kPreviewCaption = u"印刷プレビュー"_s;
const QString kErrorCaption = u"印刷"_s;
const QString kStopped = u"印刷中止しました"_s;
} // namespace

PrintCommands::PrintCommands(RollAccess &roll, std::function<PrintSetup()> setup,
                             std::function<QString()> rollFile)
    : m_roll(roll), m_setup(std::move(setup)), m_rollFile(std::move(rollFile))
{
}

QString PrintCommands::jobName(PrintStyle style) const
{
    const QString file = m_rollFile ? m_rollFile() : QString();
    const QString roll = file.isEmpty() ? QString() : QFileInfo(file).completeBaseName();
    if (style == PrintStyle::Titles)
        return roll.isEmpty() ? u"タイトル"_s : roll + u" タイトル"_s;
    return roll.isEmpty() ? u"前ロール"_s : roll;
}

void PrintCommands::printRoll(PrintStyle style)
{
    m_roll.setStatusText(u"プリンター準備中・・・"_s);
    const PrintSetup setup = m_setup();
    const QFont font = printFont(setup);
    m_printer.select(setup.printer);
    const PageMetrics metrics = pageMetrics(m_printer.printer(), font, m_printer.printableArea(), m_printer.sheet());
    const int widest = widestLineAllowed(style, setup.columns, metrics);

    m_roll.setStatusText(u"印刷前の確認をしています・・・"_s);
    const QStringList lines = m_roll.lines();
    const bool overWide = std::any_of(lines.cbegin(), lines.cend(),
                                      [&](const QString &line) { return metrics.textWidth(line) > widest; });
    if (overWide
        && showMessage(u"1行の文字列が枠組み時にはみ出ます。印字を続行しますか？\r\n\r\n"
                       u"(「ツール→整形」にある改行機能で整えると問題は解決します）"_s,
                       u"チェック"_s, MsgIcon::Information, MsgButtons::YesNo)
               != MsgResult::Yes) {
        m_roll.setStatusText(kStopped);
        return;
    }

    const QList<PrintedPage> pages = layoutPages(lines, style, setup.columns, metrics);
    switch (send(pages, font, jobName(style), [this] { m_roll.setStatusText(u"印刷データ送信中・・・"_s); })) {
    case Outcome::Sent: m_roll.setStatusText(u"印刷データ送信終了"_s); break;
    case Outcome::KeptBack: m_roll.setStatusText(kStopped); break;
    case Outcome::Failed: m_roll.setStatusText(u"印刷できませんでした"_s); break;
    }
}

void PrintCommands::printTitles()
{
    const PrintSetup setup = m_setup();
    const QFont font = printFont(setup);
    m_printer.select(setup.printer);
    const PageMetrics metrics = pageMetrics(m_printer.printer(), font, m_printer.printableArea(), m_printer.sheet());
    const QList<PrintedPage> pages = layoutPages(titleEntries(m_roll.lines()), PrintStyle::Titles, 1, metrics);
    send(pages, font, jobName(PrintStyle::Titles), [] {});
}

PrintCommands::Outcome PrintCommands::send(const QList<PrintedPage> &pages, const QFont &font,
                                           const QString &jobName, const std::function<void()> &sending)
{
    QPrinter &printer = m_printer.printer();
    // The name print queues show, and the title of a PDF file.
    printer.setDocName(jobName);
    const auto paint = [&](QPrinter &device) { paintPages(device, pages, font); };
    if (!PrintDialogs::instance().preview(printer, paint, kPreviewCaption))
        return Outcome::KeptBack;

    QString file;
    if (m_printer.printsToFile()) {
        file = withDefaultSuffix(Prompter::instance().saveFileName(
                                     {.caption = u"PDFファイルに印刷"_s,
                                      .filter = dialogFilter(u"PDFファイル(*.pdf)|*.pdf"_s),
                                      .directory = {},
                                      .fileName = jobName + u".pdf"_s}),
                                 u"pdf"_s);
        if (file.isEmpty())
            return Outcome::KeptBack;
        printer.setOutputFileName(file);
    }

    sending();
    const bool printed = paintPages(printer, pages, font);
    // A file name left on the printer would send the next job there too.
    if (!file.isEmpty())
        printer.setOutputFileName(QString());
    if (printed)
        return Outcome::Sent;
    const QString message = file.isEmpty()
        ? u"プリンタ「%1」に印刷できません。"_s.arg(printer.printerName())
        : u"PDFファイルに書き込めません。\r\n%1"_s.arg(QDir::toNativeSeparators(file));
    logError(raisedError(u"EPrinter"_s, message)); // the box says it in its own words
    showMessage(message, kErrorCaption, MsgIcon::Error);
    return Outcome::Failed;
}
