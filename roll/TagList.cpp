#include "roll/TagList.h"

#include <algorithm>

QString TagEntryText(int line, const QString &commentText)
{
    return QStringLiteral("%1 ：　%2").arg(line + 1, 5, 10, QLatin1Char('0')).arg(commentText);
}

std::vector<TagEntry> ScanTags(QStringView text, const CommentKinds &kinds)
{
    std::vector<TagEntry> out;
    qsizetype start = 0;
    for (int line = 0;; ++line) {
        qsizetype end = text.indexOf(u'\n', start);
        if (end < 0)
            end = text.size();
        // Only a line starting with '<' can be a comment: test before copying.
        if (end - start >= 2 && text[start] == u'<') {
            const QString lineText = text.mid(start, end - start).toString();
            if (IsRecognisedComment(lineText, kinds))
                out.push_back({line, CommentText(lineText)});
        }
        if (end == text.size())
            break;
        start = end + 1;
    }
    return out;
}

int TagListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_entries.size());
}

QVariant TagListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= int(m_entries.size()))
        return {};
    const TagEntry &entry = m_entries[size_t(index.row())];
    if (role == Qt::DisplayRole && entry.comment.size() > kShownCommentLength) {
        // A comment far wider than the box would be shaped whole at every
        // paint of the window; the shown part is all anyone can read there.
        qsizetype cut = kShownCommentLength - 1;
        if (entry.comment.at(cut - 1).isHighSurrogate())
            --cut;
        return TagEntryText(entry.line, entry.comment.left(cut) + u'…');
    }
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return TagEntryText(entry.line, entry.comment);
    if (role == LineRole)
        return entry.line;
    return {};
}

bool TagListModel::removeRows(int row, int count, const QModelIndex &parent)
{
    if (parent.isValid() || row < 0 || count <= 0 || row + count > int(m_entries.size()))
        return false;
    beginRemoveRows({}, row, row + count - 1);
    m_entries.erase(m_entries.begin() + row, m_entries.begin() + row + count);
    endRemoveRows();
    return true;
}

int TagListModel::lineAt(int row) const
{
    return row >= 0 && row < int(m_entries.size()) ? m_entries[size_t(row)].line : -1;
}

void TagListModel::reset(std::vector<TagEntry> entries)
{
    if (entries == m_entries)
        return; // keeps the chosen entry of the combo box
    beginResetModel();
    m_entries = std::move(entries);
    endResetModel();
}

std::vector<TagEntry>::iterator TagListModel::lowerBound(int line)
{
    return std::lower_bound(m_entries.begin(), m_entries.end(), line,
                            [](const TagEntry &e, int l) { return e.line < l; });
}

void TagListModel::replaceLines(int first, int oldLast, int newLast)
{
    const int from = int(lowerBound(first) - m_entries.begin());
    const int to = int(lowerBound(oldLast + 1) - m_entries.begin());
    if (to > from)
        removeRows(from, to - from);
    const int delta = newLast - oldLast;
    if (delta == 0 || from >= int(m_entries.size()))
        return;
    for (auto it = m_entries.begin() + from; it != m_entries.end(); ++it)
        it->line += delta;
    Q_EMIT dataChanged(index(from), index(int(m_entries.size()) - 1));
}

void TagListModel::updateLine(int line, const QString &text, const CommentKinds &kinds)
{
    const auto it = lowerBound(line);
    const int row = int(it - m_entries.begin());
    const bool listed = it != m_entries.end() && it->line == line;
    if (!IsRecognisedComment(text, kinds)) {
        if (listed)
            removeRows(row, 1);
        return;
    }
    const QString comment = CommentText(text);
    if (listed) {
        if (it->comment != comment) {
            it->comment = comment;
            Q_EMIT dataChanged(index(row), index(row));
        }
        return;
    }
    beginInsertRows({}, row, row);
    m_entries.insert(m_entries.begin() + row, TagEntry{line, comment});
    endInsertRows();
}
