// The roll-to-slide command of the main window.
#include "app/AppWindows.h"
#include "widgets/ColourBox.h"
#include "app/Remain.h"
#include "app/RollEditor.h"
#include "platform/ScriptedPrompter.h"
#include "slides/TSlideSetWnd.h"
#include "slides/TSlideWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

class TestSlideConvert : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void convert_data();
    void convert();
    void slideEditorEditsTheRollUndoably();

private:
    ScriptedPrompter m_prompter;
};

void TestSlideConvert::init()
{
    Prompter::install(&m_prompter);
    createAppWindows();
    Form1->show();
    QTRY_VERIFY(!Form1->Timer1->isActive());
    m_prompter.clear();
}

void TestSlideConvert::cleanup()
{
    destroyAppWindows();
}

void TestSlideConvert::convert_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("start");
    QTest::addColumn<QString>("after");
    const QString roll = u"赤い字,1\n<-メモ\n`@\n次"_s;
    QTest::newRow("converted with the window's settings") << int(MsgResult::Yes) << true
        << u"-スライド1,16711680,,5,7,800,600,,,,,,,,,,\n赤い字,0,0,24,255,c,c,,,,,,\n"
           u"-スライド2,16711680,,5,7,800,600,,,,,,,,,,\n次,0,0,24,65535,c,c,,,,,,\n"_s;
    QTest::newRow("window cancelled") << int(MsgResult::Yes) << false << roll;
    QTest::newRow("question answered No") << int(MsgResult::No) << true << roll;
}

void TestSlideConvert::convert()
{
    QFETCH(int, answer);
    QFETCH(bool, start);
    QFETCH(QString, after);
    Form1->RichEdit1->setPlainText(u"赤い字,1\n<-メモ\n`@\n次"_s);
    SlideSetWnd->PageHeight->setValue(800);
    SlideSetWnd->PageWidth->setValue(600);
    SlideSetWnd->PageTop->setValue(5);
    SlideSetWnd->PageLeft->setValue(7);
    SlideSetWnd->SelFontSize->setValue(24);
    SlideSetWnd->PageColor->setColourRef(16711680);
    SlideSetWnd->FontColor->setColourRef(65535);
    SlideSetWnd->ConvertColorCode->setChecked(true);
    m_prompter.answer(MsgResult(answer));
    QTimer::singleShot(0, SlideSetWnd, start ? &TSlideSetWnd::Button1Click : &TSlideSetWnd::Button2Click);
    Form1->findChild<QAction *>(u"SlideConvert1"_s)->trigger();
    QCOMPARE(m_prompter.asked().first().text,
             u"「`@」を区切りとして、\r\n文章全体をスライド前ロール化します。\r\n\r\nよろしいですか？"_s);
    QCOMPARE(m_prompter.asked().first().buttons, MsgButtons::YesNoCancel);
    QCOMPARE(Form1->RichEdit1->toPlainText(), after);
    QVERIFY(!SlideSetWnd->isVisible());
}

void TestSlideConvert::slideEditorEditsTheRollUndoably()
{
    const QString slide = u"-スライド1,0,,0,0,640,480,,,,,,,,,,\nA,0,0,10,255,c,c,,,,,,\nB,,r1,10,255,c,c,,,,,,\n"_s;
    Form1->RichEdit1->setPlainText(slide);
    Form1->findChild<QAction *>(u"SlideEditor1"_s)->trigger();
    QVERIFY(SlideWindow->isVisible());
    QCOMPARE(SlideWindow->PageList->count(), 0); // filled by Reload only
    SlideWindow->Reload1->trigger();
    SlideWindow->PageList->setCurrentRow(0);
    SlideWindow->PageListClick();
    SlideWindow->ViewText->setText(u"題"_s);
    SlideWindow->Button2->click();
    QCOMPARE(Form1->RichEdit1->toPlainText(),
             u"-スライド1,0,,0,0,640,480,,,,,,,\n題,0,0,10,255,c,c,,,,,,,\nB,,r1,10,255,c,c,,,,,,\n"_s);
    Form1->Undo1Click();
    QCOMPARE(Form1->RichEdit1->toPlainText(), slide);
}

QTEST_MAIN(TestSlideConvert)
#include "tst_slideconvert.moc"
