#include "analysis/TWordAnalyze.h"

#include "platform/Prompter.h"
#include "roll/RollAccess.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TWordAnalyze::TWordAnalyze(RollAccess &roll, WordAnalysis &analysis, std::function<AnalyserSettings()> settings)
    : ToolWindow(u"WordAnalyze"_s, u"言語分析"_s, 0x0002, Qt::Window),
      m_roll(roll),
      m_analysis(analysis),
      m_settings(std::move(settings))
{
    auto *layout = new QVBoxLayout(this);
    auto *top = new QHBoxLayout;
    auto *analyze = new QPushButton(u"解析"_s, this);
    analyze->setObjectName(u"Analyze"_s);
    connect(analyze, &QPushButton::clicked, this, &TWordAnalyze::AnalyzeClick);
    top->addWidget(analyze);
    ActivePat = new QCheckBox(u"活用形で表示"_s, this);
    ActivePat->setObjectName(u"ActivePat"_s);
    top->addWidget(ActivePat);
    top->addStretch(1);
    layout->addLayout(top);
    auto *split = new QSplitter(this);
    WordClass = new QListWidget(split);
    WordClass->setObjectName(u"WordClass"_s);
    WordList = new QListWidget(split);
    WordList->setObjectName(u"WordList"_s);
    layout->addWidget(split, 1);
    resize(480, 360);
    connect(&m_analysis, &WordAnalysis::runStarted, this, [this] {
        WordClass->clear();
        WordList->clear();
    });
    connect(&m_analysis, &WordAnalysis::runFinished, this, [this](bool ok) {
        if (ok)
            WordClass->addItems(m_analysis.lastRun().partsOfSpeech());
    });
}

bool analyseRoll(WordAnalysis &analysis, RollAccess &roll, const AnalyserSettings &settings)
{
    const QString previousStatus = roll.statusText();
    roll.setStatusText(u"形態素解析中・・・"_s);

    // The analyser may take a while on a long roll: the windows stay alive and
    // the user may stop it; the roll cannot be edited meanwhile.
    QProgressDialog progress(u"茶筌で解析しています・・・"_s, u"中止"_s, 0, 0);
    progress.setWindowTitle(u"言語分析"_s);
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(500);
    progress.setValue(0);
    const ChasenResult run = analysis.run(settings, roll.lines(), roll.commentKinds(), [&progress] {
        progress.setValue(0);
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        return !progress.wasCanceled();
    });
    progress.reset();
    roll.setStatusText(previousStatus);

    const QString failure = u"茶筌が起動できなかったようです。\r\n\r\nインストールや設定を確認してください。"_s;
    switch (run.status) {
    case ChasenResult::Status::Ok:
        return true;
    case ChasenResult::Status::NotStarted:
        showMessage(failure + u"\r\n\r\n("_s + settings.program + u")"_s, u"解析失敗2"_s);
        return false;
    case ChasenResult::Status::NoOutput:
        // It ran but left nothing to read: the same title as not starting.
        showMessage(failure + (run.detail.isEmpty() ? QString() : u"\r\n\r\n("_s + run.detail + u")"_s),
                    u"解析失敗2"_s);
        return false;
    case ChasenResult::Status::Failed:
        showMessage(failure + (run.detail.isEmpty() ? QString() : u"\r\n\r\n("_s + run.detail + u")"_s),
                    u"解析失敗1"_s);
        return false;
    case ChasenResult::Status::Cancelled:
        showMessage(u"解析を中止しました。"_s, u"言語分析"_s, MsgIcon::Information);
        return false;
    }
    return false;
}

void TWordAnalyze::AnalyzeClick()
{
    analyseRoll(m_analysis, m_roll, m_settings());
}
