// A stand-in for a captioning program's input box, for the sending tests: one
// line edit that prints its text on standard output at each Return and then
// empties itself, as such an input box does; the lines received so far are
// listed under it. Commands on standard input:
// "set TEXT" puts TEXT into the box, "copy TEXT" puts it on the clipboard,
// "clipboard" prints the clipboard's text. Started as:
//   sendtarget X Y   (the window's top-left corner on the screen)
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSocketNotifier>
#include <QVBoxLayout>
#include <QWindow>
#include <QWidget>

#include <cstdio>
#include <unistd.h>

namespace {
void say(const QString &text)
{
    std::fputs(text.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    QWidget window;
    window.setWindowTitle(QStringLiteral("入力欄"));
    auto *layout = new QVBoxLayout(&window);
    auto *box = new QLineEdit(&window);
    QFont font = box->font();
    font.setFamily(QStringLiteral("IPAGothic"));
    font.setPixelSize(20);
    box->setFont(font);
    layout->addWidget(box);
    layout->addWidget(new QLabel(QStringLiteral("受け取った行"), &window));
    auto *received = new QListWidget(&window);
    received->setFont(font);
    layout->addWidget(received);
    window.resize(520, 240);
    if (args.size() >= 3)
        window.move(args[1].toInt(), args[2].toInt());
    QObject::connect(box, &QLineEdit::returnPressed, box, [box, received] {
        say(QStringLiteral("line ") + box->text());
        received->addItem(box->text());
        received->scrollToBottom();
        box->clear();
    });

    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
        char buffer[4096];
        if (!std::fgets(buffer, sizeof buffer, stdin)) {
            app.quit(); // the test has gone
            return;
        }
        QString command = QString::fromUtf8(buffer);
        command.chop(command.endsWith(u'\n') ? 1 : 0);
        if (command.startsWith(QStringLiteral("set "))) {
            box->setText(command.mid(4));
            say(QStringLiteral("ok"));
        } else if (command.startsWith(QStringLiteral("copy "))) {
            QGuiApplication::clipboard()->setText(command.mid(5));
            say(QStringLiteral("ok"));
        } else if (command == QStringLiteral("clipboard")) {
            say(QStringLiteral("clipboard ") + QGuiApplication::clipboard()->text());
        }
    });

    window.show();
    box->setFocus();
    while (!window.windowHandle() || !window.windowHandle()->isExposed())
        app.processEvents(QEventLoop::WaitForMoreEvents);
    say(QStringLiteral("ready %1").arg(window.winId()));
    return app.exec();
}
