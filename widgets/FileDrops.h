#pragma once
// Files dropped onto a window: drags that carry local files are taken on the
// given widgets (also where a drop would otherwise insert the path as text);
// other drags (text moved inside an editor) pass on.
#include <QStringList>
#include <QWidget>

#include <functional>
#include <initializer_list>

// The local files a drag carries, in order; empty when it carries none.
QStringList droppedLocalFiles(const class QMimeData *mime);

// Takes file drops on `targets` and hands each drop's paths to `take`. The
// filter lives as long as `owner`.
void acceptFileDrops(QObject *owner, std::initializer_list<QWidget *> targets,
                     std::function<void(const QStringList &paths)> take);
