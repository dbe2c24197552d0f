#include "app/WindowSettings.h"

#include "analysis/TRollAdvice.h"
#include "analysis/TSetChasen.h"
#include "analysis/TWordAnalyze.h"
#include "app/AppWindows.h"
#include "app/Remain.h"
#include "convert/TReplaceSet.h"
#include "convert/TWordChangeList.h"
#include "join/TJoinFile.h"
#include "lists/TFindList.h"
#include "lists/TMsgList.h"
#include "print/TSetPrinterSetup.h"
#include "reshape/TCaptionPreview.h"
#include "reshape/TSetCheck.h"
#include "reshape/TWordDic.h"
#include "send/TRollInput.h"
#include "settings/StoredWindowFit.h"
#include "slides/TSlideWindow.h"
#include "widgets/ToolWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>

#include <algorithm>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

StoredWindow storedWindow(const QWidget *w)
{
    const QRect frame = w->frameGeometry();
    return {.top = frame.top(), .left = frame.left(), .width = frame.width(), .height = frame.height(),
            .shown = w->isVisible()};
}

// The stored bounds are the outer ones; the frame around the client area is
// the one the window has now. Sizes the file does not give come back as the
// window's own, so resizing to them changes nothing.
void placeWindow(QWidget *w, const StoredWindow &file)
{
    // Before any resize: a size from a damaged file or a larger screen would
    // have the window system allocate a buffer of that size.
    const StoredWindow stored = fittedToScreens(file, availableScreenAreas());
    w->move(stored.left, stored.top);
    const auto resizeWithin = [w, &stored](QSize frameExtra) {
        w->resize(std::max(1, stored.width - frameExtra.width()), std::max(1, stored.height - frameExtra.height()));
    };
    const QSize frameExtra = w->frameGeometry().size() - w->size();
    resizeWithin(frameExtra);
    w->setVisible(stored.shown);
    // A window shown for the first time has its frame only now.
    const QSize frameNow = w->frameGeometry().size() - w->size();
    if (frameNow != frameExtra)
        resizeWithin(frameNow);
}

// Selects the entry with exactly this text, as the user choosing it would;
// without one the selection stays.
void selectEntry(QComboBox *box, const QString &text)
{
    const int index = box->findText(text, Qt::MatchExactly);
    if (index >= 0) {
        box->setCurrentIndex(index);
        Q_EMIT box->activated(index);
    }
}

void setMark(QAction *action, bool checked, void (TForm1::*effect)() = nullptr)
{
    action->setChecked(checked);
    if (effect)
        (Form1->*effect)();
}

// The function keys in order, with the field that keeps each one's text.
const std::pair<QString, QString FunctionKeyTexts::*> kFunctionKeys[] = {
    {u"F4"_s, &FunctionKeyTexts::f4}, {u"F5"_s, &FunctionKeyTexts::f5}, {u"F6"_s, &FunctionKeyTexts::f6},
    {u"F7"_s, &FunctionKeyTexts::f7}, {u"F8"_s, &FunctionKeyTexts::f8}, {u"F9"_s, &FunctionKeyTexts::f9},
    {u"F10"_s, &FunctionKeyTexts::f10}};

FunctionKeyTexts functionKeyTexts()
{
    FunctionKeyTexts texts;
    for (const auto &[key, text] : kFunctionKeys)
        texts.*text = RollInput->functionKeyText(key);
    return texts;
}

void setFunctionKeyTexts(const FunctionKeyTexts &texts)
{
    for (const auto &[key, text] : kFunctionKeys)
        RollInput->setFunctionKeyText(key, texts.*text);
}

} // namespace

StoredSettings collectWindowSettings()
{
    StoredSettings s;
    TForm1 *f = Form1;
    s.main = {.charLine = f->CharPosValue->value(),
              .font = f->SelFontName->currentText(),
              .fontSize = f->SelFontSize->value(),
              .noRecolor = f->NoRecolor->isChecked(),
              .noCharLine = f->NoMojiLine->isChecked(),
              .comments = f->commentKinds(),
              .reshapeComments = f->PlasticComment->isChecked(),
              .reshapeWordCheck = f->PlasticWordCheck->isChecked(),
              .wordDictionary = f->wordDictionaryMark(),
              .reshapeKinsoku = f->PlasticKinsoku->isChecked(),
              .reshapePhrases = f->PlasticPhrase->isChecked(),
              .reshapeBalance = f->PlasticBalance->isChecked(),
              .window = storedWindow(f),
              .autoSave = f->AutoSave1->isChecked(),
              .furiganaGrade = f->furiganaGrade(),
              .captionPreview = f->CaptionPreview1->isChecked(),
              .captionPreviewHeight = f->CaptionPreview->heightToKeep(),
              .sendSettleMs = f->sendSettleTime()};
    s.print = {.setup = SetPrinterSetup->settings(), .window = storedWindow(SetPrinterSetup)};
    s.check = {.width = SetCheck->settings(), .window = storedWindow(SetCheck)};
    s.join = {.window = storedWindow(JoinFile), .files = JoinFile->files()};
    s.talkerList = storedWindow(MsgList);
    s.resultList = storedWindow(FindList);
    s.filters = {.window = storedWindow(SetChasen),
                 .analyserPath = SetChasen->chasen_exe->text(),
                 .documentFilterPath = SetChasen->xdoc2txt->text(),
                 .analyser = SetChasen->analyser->currentIndex(),
                 .mecabPath = SetChasen->mecab_exe->text()};
    s.analysis = {.window = storedWindow(WordAnalyze), .inflectedForms = WordAnalyze->ActivePat->isChecked()};
    s.advice = storedWindow(RollAdvice);
    s.charConversion = storedWindow(ReplaceSet);
    s.inputAssist = {.window = storedWindow(RollInput),
                     .keys = functionKeyTexts(),
                     .sendByEnter = RollInput->SendByEnter->isChecked(),
                     .files = RollInput->files()};
    s.dictionary = {.window = storedWindow(WordDic), .lines = WordDic->lines()};
    s.userConversion = {.window = storedWindow(WordChangeList), .rows = WordChangeList->rows()};
    s.slideEditor = storedWindow(SlideWindow);
    return s;
}

void applyWindowSettings(const StoredSettings &s)
{
    TForm1 *f = Form1;
    const MainSettings &main = s.main;
    // Setting a control runs its handler: the limit line moves, the editor's
    // font follows, a comment box recolours the roll.
    f->CharPosValue->setValue(main.charLine);
    selectEntry(f->SelFontName, main.font);
    f->SelFontSize->setValue(main.fontSize);
    setMark(f->NoRecolor, main.noRecolor, &TForm1::NoRecolorClick);
    setMark(f->NoMojiLine, main.noCharLine, &TForm1::NoMojiLineClick);
    f->Cmt1->setChecked(main.comments.simple);
    f->Cmt2->setChecked(main.comments.jump);
    f->Cmt3->setChecked(main.comments.summary);
    f->Cmt4->setChecked(main.comments.change);
    setMark(f->PlasticComment, main.reshapeComments);
    setMark(f->PlasticWordCheck, main.reshapeWordCheck);
    f->setWordDictionaryMark(main.wordDictionary);
    setMark(f->PlasticKinsoku, main.reshapeKinsoku);
    setMark(f->PlasticPhrase, main.reshapePhrases);
    setMark(f->PlasticBalance, main.reshapeBalance);
    placeWindow(f, main.window);
    setMark(f->AutoSave1, main.autoSave, &TForm1::AutoSave1Click);
    f->setFuriganaGrade(main.furiganaGrade);
    f->CaptionPreview->setKeptHeight(main.captionPreviewHeight);
    setMark(f->CaptionPreview1, main.captionPreview, &TForm1::CaptionPreview1Click);
    f->setSendSettleTime(main.sendSettleMs);

    SetPrinterSetup->applySettings(s.print.setup);
    placeWindow(SetPrinterSetup, s.print.window);

    SetCheck->applySettings(s.check.width);
    placeWindow(SetCheck, s.check.window);

    placeWindow(JoinFile, s.join.window);
    JoinFile->setFiles(s.join.files);
    placeWindow(MsgList, s.talkerList);
    placeWindow(FindList, s.resultList);
    placeWindow(SetChasen, s.filters.window);
    SetChasen->chasen_exe->setText(s.filters.analyserPath);
    SetChasen->xdoc2txt->setText(s.filters.documentFilterPath);
    SetChasen->analyser->setCurrentIndex(s.filters.analyser);
    SetChasen->mecab_exe->setText(s.filters.mecabPath);
    placeWindow(WordAnalyze, s.analysis.window);
    WordAnalyze->ActivePat->setChecked(s.analysis.inflectedForms);
    placeWindow(RollAdvice, s.advice);
    placeWindow(ReplaceSet, s.charConversion);
    placeWindow(RollInput, s.inputAssist.window);
    setFunctionKeyTexts(s.inputAssist.keys);
    RollInput->SendByEnter->setChecked(s.inputAssist.sendByEnter);
    RollInput->setFiles(s.inputAssist.files);
    placeWindow(WordDic, s.dictionary.window);
    WordDic->setLines(s.dictionary.lines);
    placeWindow(WordChangeList, s.userConversion.window);
    WordChangeList->setRows(s.userConversion.rows);
    placeWindow(SlideWindow, s.slideEditor);
}
