// The find and replace dialogs as the keyboard walks them.
#include "app/FindDialogs.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

class TestFindDialogs : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void tabWalksTextsThenButtons_data();
    void tabWalksTextsThenButtons();
    void typedTextsReachTheirFields();
};

namespace {

std::unique_ptr<TFindDialog> makeDialog(bool replace)
{
    if (replace)
        return std::make_unique<TReplaceDialog>(nullptr);
    return std::make_unique<TFindDialog>(nullptr);
}

void showActive(QWidget *dialog)
{
    dialog->show();
    QApplication::setActiveWindow(dialog);
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    dialog->findChild<QLineEdit *>(u"FindText"_s)->setFocus();
}

} // namespace

void TestFindDialogs::tabWalksTextsThenButtons_data()
{
    QTest::addColumn<bool>("replace");
    QTest::addColumn<QStringList>("order");
    QTest::newRow("find") << false
                          << QStringList{u"FindText"_s, u"FindButton"_s, u"CancelButton"_s, u"FindText"_s};
    QTest::newRow("replace") << true
                             << QStringList{u"FindText"_s,         u"ReplaceText"_s,
                                            u"FindButton"_s,       u"ReplaceButton"_s,
                                            u"ReplaceAllButton"_s, u"CancelButton"_s,
                                            u"FindText"_s};
}

void TestFindDialogs::tabWalksTextsThenButtons()
{
    QFETCH(bool, replace);
    QFETCH(QStringList, order);
    const auto dialog = makeDialog(replace);
    showActive(dialog.get());
    QStringList walked{QApplication::focusWidget()->objectName()};
    for (qsizetype i = 1; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        walked << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(walked, order);
    // Shift+Tab walks back.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget()->objectName(), order.at(order.size() - 2));
}

void TestFindDialogs::typedTextsReachTheirFields()
{
    TReplaceDialog dialog(nullptr);
    showActive(&dialog);
    QTest::keyClicks(QApplication::focusWidget(), u"old"_s);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClicks(QApplication::focusWidget(), u"new"_s);
    QCOMPARE(dialog.findText(), u"old"_s);
    QCOMPARE(dialog.replaceText(), u"new"_s);
}

QTEST_MAIN(TestFindDialogs)
#include "tst_finddialogs.moc"
