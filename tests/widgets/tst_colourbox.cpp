// The colour box of the slide windows: Japanese names, black as a named
// colour (not the other-colour entry), and the colour dialog's entry.
#include "platform/ScriptedColourDialog.h"
#include "widgets/ColourBox.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestColourBox : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void shownName_data();
    void shownName();
    void otherColourFromTheDialog_data();
    void otherColourFromTheDialog();

private:
    ScriptedColourDialog m_dialog;
    ColourDialog *m_previous = nullptr;
};

void TestColourBox::init()
{
    m_previous = ColourDialog::install(&m_dialog);
    m_dialog.clear();
}

void TestColourBox::cleanup()
{
    ColourDialog::install(m_previous);
}

void TestColourBox::shownName_data()
{
    QTest::addColumn<int>("ref");
    QTest::addColumn<QString>("name");
    QTest::newRow("black is named, not a custom colour") << 0x000000 << u"黒"_s;
    QTest::newRow("white") << 0xFFFFFF << u"白"_s;
    QTest::newRow("red in BGR order") << 0x0000FF << u"赤"_s;
    QTest::newRow("blue in BGR order") << 0xFF0000 << u"青"_s;
    QTest::newRow("an unnamed colour") << 0x123456 << u"その他…"_s;
}

void TestColourBox::shownName()
{
    QFETCH(int, ref);
    QFETCH(QString, name);
    ColourBox box;
    box.setColourRef(0x0000FF); // something else first
    box.setColourRef(ref);
    QCOMPARE(box.currentText(), name);
    QCOMPARE(box.colourRef(), ref);
    for (int i = 0; i < box.count(); ++i)
        QVERIFY2(!box.itemText(i).contains(u"Custom"_s), qPrintable(box.itemText(i)));
}

void TestColourBox::otherColourFromTheDialog_data()
{
    QTest::addColumn<QColor>("answer"); // invalid: cancelled
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("ref");
    QTest::newRow("cancelled: the colour stays") << QColor() << u"白"_s << 0xFFFFFF;
    QTest::newRow("a colour of its own") << QColor(0x12, 0x34, 0x56) << u"その他…"_s << 0x563412;
    QTest::newRow("a named colour picked in the dialog") << QColor(0, 0, 0) << u"黒"_s << 0;
}

void TestColourBox::otherColourFromTheDialog()
{
    QFETCH(QColor, answer);
    QFETCH(QString, name);
    QFETCH(int, ref);
    ColourBox box;
    box.setColourRef(0xFFFFFF);
    m_dialog.answer(answer);
    box.setCurrentIndex(box.otherIndex());
    Q_EMIT box.activated(box.otherIndex());
    QCOMPARE(m_dialog.asked().size(), 1);
    QCOMPARE(m_dialog.asked().first().initial, QColor(Qt::white)); // starts at the colour shown
    QCOMPARE(box.currentText(), name);
    QCOMPARE(box.colourRef(), ref);
}

QTEST_MAIN(TestColourBox)
#include "tst_colourbox.moc"
