#include "analysis/TWordAnalyze.h"

#include "analysis/WordsOfPart.h"
#include "lists/LineLists.h"
#include "platform/Prompter.h"
#include "roll/RollAccess.h"
#include "roll/ShiftJisSave.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QDateTime>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QProgressDialog>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TWordAnalyze::TWordAnalyze(RollAccess &roll, WordAnalysis &analysis, WordAnalyzeLinks links)
    : ToolWindow(u"WordAnalyze"_s, u"言語分析"_s, 0x0002, Qt::Window),
      m_roll(roll),
      m_analysis(analysis),
      m_links(std::move(links))
{
    auto *layout = new QVBoxLayout(this);
    auto *top = new QHBoxLayout;
    auto *analyze = new QPushButton(u"解析"_s, this);
    analyze->setObjectName(u"Analyze"_s);
    connect(analyze, &QPushButton::clicked, this, &TWordAnalyze::AnalyzeClick);
    top->addWidget(analyze);
    ActivePat = new QCheckBox(u"活用形で表示"_s, this);
    ActivePat->setObjectName(u"ActivePat"_s);
    // Clicks and keys alike: the list follows the check mark.
    connect(ActivePat, &QCheckBox::toggled, this, &TWordAnalyze::ActivePatClick);
    top->addWidget(ActivePat);
    Button1 = new QPushButton(u"辞書ファイルにする"_s, this);
    Button1->setObjectName(u"Button1"_s);
    connect(Button1, &QPushButton::clicked, this, &TWordAnalyze::Button1Click);
    top->addWidget(Button1);
    top->addStretch(1);
    layout->addLayout(top);
    layout->addWidget(guidanceLabel(u"●Chasen(茶筌）をインストールすると、言語分析機能が使えます。"_s, this));
    layout->addWidget(guidanceLabel(u"分析を行うと、キーワードとなる単語をすばやく把握できます。"_s, this));

    auto *split = new QSplitter(this);
    split->setObjectName(u"Splitter1"_s);
    split->setChildrenCollapsible(false);
    WordClass = new QListWidget(split);
    WordClass->setObjectName(u"WordClass"_s);
    // The selection, not the current row: a mouse press makes the row current
    // before it selects it, so the current row's signal comes too early.
    connect(WordClass, &QListWidget::itemSelectionChanged, this, &TWordAnalyze::WordClassClick);
    WordList = new QListWidget(split);
    WordList->setObjectName(u"WordList"_s);
    connect(WordList, &QListWidget::itemDoubleClicked, this, &TWordAnalyze::WordListDblClick);
    PopupMenu1 = new QMenu(this);
    QAction *search = PopupMenu1->addAction(u"この文字を検索する(&Search)"_s, this, &TWordAnalyze::Search1Click);
    search->setObjectName(u"Search1"_s);
    WordList->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(WordList, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { PopupMenu1->popup(WordList->viewport()->mapToGlobal(at)); });
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
    return analyseRoll(analysis, roll, settings, roll.lines());
}

bool analyseRoll(WordAnalysis &analysis, RollAccess &roll, const AnalyserSettings &settings,
                 const QStringList &lines)
{
    const QString previousStatus = roll.statusText();
    roll.setStatusText(u"形態素解析中・・・"_s);

    // The analyser may take a while on a long roll: the windows stay alive and
    // the user may stop it; the roll cannot be edited meanwhile.
    const QString name = analyserName(settings.kind);
    QProgressDialog progress(name + u"で解析しています・・・"_s, u"中止"_s, 0, 0);
    progress.setWindowTitle(u"言語分析"_s);
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(500);
    progress.setValue(0);
    const ChasenResult run = analysis.run(settings, lines, roll.commentKinds(), [&progress] {
        progress.setValue(0);
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        return !progress.wasCanceled();
    });
    progress.reset();
    roll.setStatusText(previousStatus);

    const QString failure = name + u"が起動できなかったようです。\r\n\r\nインストールや設定を確認してください。"_s;
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
    case ChasenResult::Status::TimedOut:
        showMessage(analyserTimedOutMessage(settings.kind, run.timeLimitMs), u"解析失敗1"_s, MsgIcon::Error);
        return false;
    }
    return false;
}

void TWordAnalyze::AnalyzeClick()
{
    analyseRoll(m_analysis, m_roll, m_links.settings());
}

QString TWordAnalyze::selectedText(const QListWidget *list) const
{
    const QListWidgetItem *item = list->currentItem();
    return item && item->isSelected() ? item->text() : QString();
}

void TWordAnalyze::WordClassClick()
{
    WordList->clear();
    const QString part = selectedText(WordClass);
    if (part.isEmpty())
        return;
    WordList->addItems(wordsOfPart(m_analysis.lastRun().lines(), part, ActivePat->isChecked()));
}

void TWordAnalyze::ActivePatClick()
{
    if (!selectedText(WordClass).isEmpty())
        WordClassClick();
}

void TWordAnalyze::WordListDblClick()
{
    const QString word = selectedText(WordList);
    if (word.isEmpty())
        return;
    m_links.showLines(u"該当行リスト - %1 を含む行"_s.arg(word), linesContaining(m_roll.lines(), word));
}

void TWordAnalyze::Search1Click()
{
    const QString word = selectedText(WordList);
    if (word.isEmpty()) {
        showMessage(u"先に、検索したい文字を選択してください"_s, u"検索"_s);
        return;
    }
    m_links.findWord(word);
}

void TWordAnalyze::Button1Click()
{
    const QString caption = u"辞書ファイルにする"_s;
    const QString part = selectedText(WordClass);
    if (part.isEmpty()) {
        showMessage(u"先に、品詞を選んでください。"_s, caption);
        return;
    }
    showMessage(part + u"のデータを辞書登録用ファイルに変換します。\r\n(品詞はお使いのIMEにあわせて変更してください。)"_s,
                caption);
    const QString path = withDefaultSuffix(
        Prompter::instance().saveFileName({caption, dialogFilter(u"辞書登録用ファイル(*.txt)|*.txt|すべてのファイル(*.*)|*.*"_s),
                                           QString(), u"ユーザ辞書.txt"_s}),
        u"txt"_s);
    if (path.isEmpty())
        return;
    // Saved as every file of the program is: a file that cannot be written
    // is told, and an old one stays whole.
    saveShiftJisLines(path, dictionaryFileLines(dictionaryEntries(m_analysis.lastRun().lines(), part),
                                                dictionaryDateTime(QDateTime::currentDateTime())));
}
