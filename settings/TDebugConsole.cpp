#include "settings/TDebugConsole.h"

#include "platform/Cp932.h"

#include <QListWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TDebugConsole::TDebugConsole()
    : ToolWindow(u"DebugConsole"_s, u"エラー表示"_s, 0, Qt::Window)
{
    useSmallListLook(608, 140);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(u"ListBox1"_s);
    layout->addWidget(ListBox1);
}

void TDebugConsole::addError(const QString &message)
{
    // Through the code page, as the list has always shown it: what Shift-JIS
    // cannot hold shows as "?".
    ListBox1->addItem(u"【エラー】"_s + cp932Decode(cp932Encode(message)));
    ListBox1->scrollToBottom();
    showTool();
}
