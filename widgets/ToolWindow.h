#pragma once
// Base of the tool windows: created once at start, hidden, shown by a menu
// command and hidden again (never destroyed) by its close box.
#include <QList>
#include <QRect>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <optional>

class QLabel;

// A line of green guidance text, as the windows explain themselves.
QLabel *guidanceLabel(const QString &text, QWidget *parent);

class QSpinBox;

// A spin box with its designer name, range and starting value.
QSpinBox *namedSpinBox(QWidget *parent, const QString &name, int min, int max, int value);

class QListWidget;

// The texts of a list's items in order, and the list made of such texts.
QStringList itemTexts(const QListWidget *list);
void setItemTexts(QListWidget *list, const QStringList &texts);

// The areas of the screens that windows may take (task bars left out).
QList<QRect> availableScreenAreas();

// The outer size a window will have when shown: one never sized takes its
// preferred size.
QSize outerSize(const QWidget *window);

class ToolWindow : public QWidget {
    Q_OBJECT
public:
    // `startupBit` 0: the window does not take part in the start-up mask.
    ToolWindow(const QString &objectName, const QString &caption, quint32 startupBit,
               Qt::WindowFlags flags = Qt::Window);

    // Shows the window without blocking the main window and brings it forward.
    void showTool();

    // Moves the window to `place`, worked out beside the frame `anchor` gives
    // (the main window's). The first time it is shown it goes beside that
    // frame again, as it stands then, unless something moved the window
    // since (a settings file).
    void placeBeside(std::function<QRect()> anchor, QPoint place);

protected:
    void showEvent(QShowEvent *event) override;
    // The small list windows' look: Tahoma 8 points and the client size given.
    void useSmallListLook(int width, int height);

private:
    QPoint besideAnchor() const;

    std::function<QRect()> m_anchor;
    std::optional<QPoint> m_placedBeside; // where placeBeside put it, until it first shows
};
