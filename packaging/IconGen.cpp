// Draws the program's icon at the sizes the desktop asks for: the first
// character of 前ロール on a navy page, with the green character-limit bar and
// the blue caret bar of the editor. Run at build time: no image files to keep.
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 3)
        return 2;
    const int size = QByteArray(argv[1]).toInt();
    if (size < 16)
        return 2;
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const qreal m = size * 0.06;
    QPainterPath page;
    page.addRoundedRect(QRectF(m, m, size - 2 * m, size - 2 * m), size * 0.14, size * 0.14);
    p.fillPath(page, QColor(0x1a, 0x2a, 0x6c));
    // The caret bar under the line and the limit bar across it.
    p.fillRect(QRectF(size * 0.16, size * 0.74, size * 0.68, size * 0.05), QColor(0x4f, 0x9d, 0xff));
    p.fillRect(QRectF(size * 0.72, size * 0.14, size * 0.045, size * 0.72), QColor(0x2e, 0xd1, 0x5a));
    QFont font(QStringLiteral("IPAGothic"));
    font.setPixelSize(int(size * 0.56));
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(size * 0.1, size * 0.1, size * 0.62, size * 0.66), Qt::AlignCenter,
               QString::fromUtf8("\xE5\x89\x8D")); // 前
    p.end();
    return image.save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
}
