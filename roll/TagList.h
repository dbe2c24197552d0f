#pragma once
// The tag-jump list: one entry per recognised comment line, in line order,
// shown as "%05d ：　%s" (one-based line number, comment text). Entries keep
// their line index, so inserting or removing lines shifts the entries below
// instead of leaving them pointing at the wrong line.
#include "roll/RollConventions.h"

#include <QAbstractListModel>
#include <QStringView>

#include <vector>

struct TagEntry {
    int line = 0;      // zero-based line index
    QString comment;   // comment text of the line
    bool operator==(const TagEntry &) const = default;
};

// The text shown for a comment on line index `line`.
QString TagEntryText(int line, const QString &commentText);

// Every recognised comment line of `text` (lines separated by '\n').
std::vector<TagEntry> ScanTags(QStringView text, const CommentKinds &kinds);

class TagListModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    static constexpr int LineRole = Qt::UserRole; // the line index of an entry
    // Longer comments are shown cut, ending with "…" (the edit role keeps them whole).
    static constexpr qsizetype kShownCommentLength = 200;

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool removeRows(int row, int count, const QModelIndex &parent = {}) override;

    const std::vector<TagEntry> &entries() const { return m_entries; }
    // Line index of row `row`, -1 outside the list.
    int lineAt(int row) const;

    // Replaces every entry (a full scan).
    void reset(std::vector<TagEntry> entries);
    // Lines `first`..`oldLast` were replaced by lines `first`..`newLast`: their
    // entries go, the entries below move by the difference.
    void replaceLines(int first, int oldLast, int newLast);
    // Line `line` now holds `text`: its entry is added, updated or removed.
    void updateLine(int line, const QString &text, const CommentKinds &kinds);

private:
    std::vector<TagEntry>::iterator lowerBound(int line);
    std::vector<TagEntry> m_entries;
};
