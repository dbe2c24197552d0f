#include "app/THelpWindow.h"

#include "widgets/WindowPlacement.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

THelpWindow::THelpWindow(QWidget *owner)
    : ToolWindow(u"HelpWindow"_s, u"Velmat マニュアル"_s, 0, Qt::Window)
{
    // Closed with the main window, never on its own.
    setParent(owner, windowFlags());

    Browser = new QTextBrowser(this);
    Browser->setObjectName(u"Browser"_s);
    Browser->setOpenExternalLinks(true);
    FindText = new QLineEdit(this);
    FindText->setObjectName(u"FindText"_s);
    FindText->setPlaceholderText(u"マニュアル内を検索 (Ctrl+F)"_s);
    FindText->setClearButtonEnabled(true);
    FindResult = new QLabel(this);
    FindResult->setObjectName(u"FindResult"_s);

    auto *contents = new QPushButton(u"目次(&H)"_s, this);
    auto *back = new QPushButton(u"戻る(&B)"_s, this);
    auto *previous = new QPushButton(u"前へ(&P)"_s, this);
    auto *next = new QPushButton(u"次へ(&N)"_s, this);
    back->setEnabled(false);
    connect(contents, &QPushButton::clicked, this, [this] { Browser->scrollToAnchor(u"contents"_s); });
    connect(back, &QPushButton::clicked, Browser, &QTextBrowser::backward);
    connect(Browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(next, &QPushButton::clicked, this, [this] { findNext(); });
    connect(previous, &QPushButton::clicked, this, [this] { findNext(true); });
    connect(FindText, &QLineEdit::returnPressed, this, [this] { findNext(); });
    connect(FindText, &QLineEdit::textChanged, FindResult, &QLabel::clear);

    auto *find = new QAction(this);
    find->setShortcut(QKeySequence::Find);
    connect(find, &QAction::triggered, this, [this] {
        FindText->setFocus();
        FindText->selectAll();
    });
    auto *again = new QAction(this);
    again->setShortcut(QKeySequence::FindNext);
    connect(again, &QAction::triggered, this, [this] { findNext(); });
    auto *againBack = new QAction(this);
    againBack->setShortcut(QKeySequence::FindPrevious);
    connect(againBack, &QAction::triggered, this, [this] { findNext(true); });
    addActions({find, again, againBack});

    auto *bar = new QHBoxLayout;
    bar->addWidget(contents);
    bar->addWidget(back);
    bar->addSpacing(12);
    bar->addWidget(FindText, 1);
    bar->addWidget(previous);
    bar->addWidget(next);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(Browser, 1);
    layout->addWidget(FindResult);
    resize(860, 720);
}

void THelpWindow::showManual(const QString &file, const QString &section)
{
    // First shown over the middle of the main window, the screen's corner
    // being where the main window's own menus are.
    if (!m_placed) {
        m_placed = true;
        if (const QWidget *owner = parentWidget(); owner && owner->isVisible()) {
            QRect frame(QPoint(), size());
            frame.moveCenter(owner->frameGeometry().center());
            move(onScreenPosition(frame, availableScreenAreas()));
        }
    }
    // Shown first, so that the page is laid out to the window's width before
    // it scrolls to the section.
    showTool();
    QUrl url = QUrl::fromLocalFile(file);
    if (!section.isEmpty())
        url.setFragment(section);
    Browser->setSource(url); // the same page again is only scrolled
    if (section.isEmpty())
        Browser->verticalScrollBar()->setValue(0);
    else
        Browser->scrollToAnchor(section);
}

bool THelpWindow::findNext(bool backward)
{
    const QString text = FindText->text();
    if (text.isEmpty())
        return false;
    const QTextDocument::FindFlags flags = backward ? QTextDocument::FindBackward : QTextDocument::FindFlags();
    bool found = Browser->find(text, flags);
    if (!found) { // round the end
        QTextCursor from = Browser->textCursor();
        from.movePosition(backward ? QTextCursor::End : QTextCursor::Start);
        Browser->setTextCursor(from);
        found = Browser->find(text, flags);
    }
    FindResult->setText(found ? QString() : u"「%1」は見つかりません。"_s.arg(text));
    return found;
}
