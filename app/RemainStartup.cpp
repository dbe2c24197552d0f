// Start-up stages, timers and shutdown of the main window.
#include "app/Remain.h"

#include "session/RollSession.h"

#include "app/AppWindows.h"
#include "app/DocumentFiles.h"
#include "app/RollEditor.h"
#include "widgets/StartupMask.h"
#include "platform/Fonts.h"
#include "platform/PrinterCatalog.h"
#include "platform/Prompter.h"
#include "print/TSetPrinterSetup.h"
#include "reshape/TSetCheck.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

QTimer *makeTimer(QObject *owner, const QString &name, int interval, bool singleShot)
{
    auto *timer = new QTimer(owner);
    timer->setObjectName(name);
    timer->setInterval(interval);
    timer->setSingleShot(singleShot);
    return timer;
}

} // namespace

void TForm1::buildTimers()
{
    Timer1 = makeTimer(this, u"Timer1"_s, 200, false);
    AutoSaveTimer = makeTimer(this, u"AutoSaveTimer"_s, 120000, false);
    RE1_Draw = makeTimer(this, u"RE1_Draw"_s, 10, true);
    RE1_Draw2 = makeTimer(this, u"RE1_Draw2"_s, 10, true);
    // Never started: its handler is the gutter synchronisation, called directly.
    LineTimer = makeTimer(this, u"LineTimer"_s, 300, false);
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    connect(AutoSaveTimer, &QTimer::timeout, this, &TForm1::AutoSaveTimerTimer);
    connect(RE1_Draw, &QTimer::timeout, this, &TForm1::RE1_DrawTimer);
    connect(RE1_Draw2, &QTimer::timeout, this, &TForm1::RE1_Draw2Timer);
    connect(LineTimer, &QTimer::timeout, this, &TForm1::LineTimerTimer);
    Timer1->start();
}

void TForm1::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void TForm1::FormShow()
{
    markStarted(0x0001);
    m_session->setStartingUp(false); // from now on every change is recorded
}

void TForm1::Timer1Timer()
{
    if (startupMask() < kStartupComplete) {
        setStatusText(u"☆アプリケーション起動準備中・・・"_s + QString::number(startupMask()));
        setStatusText(u"☆起動完了"_s);
        return;
    }
    runStartupStages();
}

void TForm1::runStartupStages()
{
    setStatusText(u"☆初期化開始・・・(1)"_s);
    Timer1->stop();
    if (!fillPrinterStage())
        setStatusText(u"☆プリンタが見つからないので設定を中断しました。"_s);

    setStatusText(u"☆初期化開始・・・(2)"_s);
    CharPosValueChange();
    SelFontSizeChange();

    setStatusText(u"☆初期化開始・・・(3)"_s);
    LoadConfigFile(u"自動読み込み.ini"_s);

    setStatusText(u"☆初期化開始・・・(4)"_s);
    if (!m_commandLineFile.isEmpty()) {
        // A file that cannot be opened is ignored without a word.
        QFile probe(m_commandLineFile);
        if (probe.open(QIODevice::ReadOnly)) {
            probe.close();
            LoadDocument(m_commandLineFile);
        }
    } else {
        QFile suspended(u"作業一時保存.txt"_s);
        if (suspended.open(QIODevice::ReadOnly)) {
            suspended.close();
            if (showMessage(u"前回、作業途中でした。作業状態を復帰しますか？"_s, u"作業復帰"_s,
                            MsgIcon::Question, MsgButtons::YesNo)
                == MsgResult::Yes)
                Restore1Click();
        }
    }
    setStatusText(u"☆起動完了"_s);
}

// Fonts and printers; false when the printers cannot be listed, which stops the
// rest of this stage (the lists stay as far as they got).
bool TForm1::fillPrinterStage()
{
    const QString designFont = u"ＭＳ ゴシック"_s;
    const QStringList fonts = installedFontNames();
    SelFontName->clear();
    SelFontName->addItems(fonts);
    SetCheck->SelFont->clear();
    SetCheck->SelFont->addItems(fonts);
    SetCheck->SelFont->setCurrentText(designFont);
    SelFontName->setCurrentIndex(int(fonts.indexOf(designFont)));
    {
        QFont editorFont = RichEdit1->font();
        editorFont.setFamily(substituteFontFamily(designFont));
        RichEdit1->setFont(editorFont);
    }

    setStatusText(u"☆初期化開始・・・(1.2)"_s);
    SetPrinterSetup->PrintFont->clear();
    SetPrinterSetup->PrintFont->addItems(fonts);
    SetPrinterSetup->PrintFont->setCurrentIndex(-1); // chosen in stage 1.4

    setStatusText(u"☆初期化開始・・・(1.3)"_s);
    const PrinterCatalog &printers = PrinterCatalog::instance();
    const QStringList printerNames = printers.printerNames();
    SetPrinterSetup->PrinterName->clear();
    if (printerNames.isEmpty())
        return false;
    SetPrinterSetup->PrinterName->addItems(printerNames);

    setStatusText(u"☆初期化開始・・・(1.4)"_s);
    SetPrinterSetup->PrintFont->setCurrentIndex(SelFontName->currentIndex());

    setStatusText(u"☆初期化開始・・・(1.5)"_s);
    const QString defaultPrinter = printers.defaultPrinterName().section(u',', 0, 0);
    SetPrinterSetup->PrinterName->setCurrentIndex(int(printerNames.indexOf(defaultPrinter)));
    return true;
}

void TForm1::closeEvent(QCloseEvent *event)
{
    const bool answered = m_sessionEndText && *m_sessionEndText == RichEdit1->toPlainText();
    if (m_exiting || answered || FormClose()) {
        event->accept();
        Q_EMIT closed();
    } else {
        event->ignore();
    }
}

// True when the window may close: an empty roll, or the user's answer.
bool TForm1::FormClose()
{
    return m_files->mayDiscardRoll();
}

bool TForm1::mayEndSession(bool mayAsk)
{
    // Without leave to ask, the session ends the program as before.
    if (!mayAsk)
        return true;
    if (!FormClose())
        return false;
    // The session may still be cancelled by another program; an edit after
    // that makes closing ask again.
    m_sessionEndText = RichEdit1->toPlainText();
    return true;
}

void TForm1::Exit1Click()
{
    // Ends at once: no question, nothing saved.
    m_exiting = true;
    close();
}

