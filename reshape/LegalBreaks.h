#pragma once
// Where Japanese typesetting lets a line break: no line begins with closing
// punctuation, 「ー」, an iteration mark or small kana, none ends with an
// opening bracket, and 「…」, numbers and Latin words stay whole. The rules
// are the line-breaking library's strict Japanese ones, not a list of ours.
#include <QStringView>

#include <memory>
#include <vector>

class LegalBreaks {
public:
    LegalBreaks();
    ~LegalBreaks();
    LegalBreaks(const LegalBreaks &) = delete;
    LegalBreaks &operator=(const LegalBreaks &) = delete;

    // False when the rules could not be loaded: then every place is legal.
    bool isAvailable() const;

    // The text asked about below; it must stay alive and unchanged meanwhile.
    void setText(QStringView text);
    // Whether a line may break before text[pos] (0 < pos < size). Cheap: the
    // rules look only at the characters around `pos`, so asking about the few
    // places a reshape considers costs far less than finding every place.
    bool isLegal(qsizetype pos);
    // The first place after `pos` where a line may break (size at the end).
    qsizetype following(qsizetype pos);

    // Every place at once: legal[i] for 0 < i < text.size(); legal is resized
    // to text.size() + 1 and its ends are false.
    void find(QStringView text, std::vector<bool> &legal);

private:
    struct Iterator;
    std::unique_ptr<Iterator> m_iterator;
};
