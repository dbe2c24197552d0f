#pragma once
// How a roll line is classified. A comment line starts with "<-" at column 0;
// the character after it selects the kind. The talker part of a line runs up to
// and including its first slash, full-width or half-width.
#include <QString>

// Which comment kinds the user wants recognised (the four check boxes).
struct CommentKinds {
    bool simple = true;   // "<-"
    bool jump = false;    // "<-◆"
    bool summary = false; // "<-●"
    bool change = false;  // "<-■"
    bool operator==(const CommentKinds &) const = default;
};

inline constexpr char16_t kCommentMarker[] = u"<-";
inline constexpr char16_t kJumpMarker[] = u"<-◆";
inline constexpr char16_t kSummaryMarker[] = u"<-●";
inline constexpr char16_t kChangeMarker[] = u"<-■";

// True when the line begins with "<-", whatever kinds are recognised.
bool IsCommentLine(QStringView line);

// True when a kind checked in `kinds` matches the start of the line.
bool IsRecognisedComment(QStringView line, const CommentKinds &kinds);

// The line without its first two characters ("◆第一部" for "<-◆第一部").
// Meant for comment lines; a shorter line gives an empty text.
QString CommentText(const QString &line);

// The text up to and including the first "／" or "/"; empty without a slash.
QString TalkerPart(const QString &line);
