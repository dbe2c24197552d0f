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

    // Sets legal[i] (for 0 < i < text.size()) to whether a line may break
    // before text[i]; legal is resized to text.size() + 1 and its ends are false.
    void find(QStringView text, std::vector<bool> &legal);

private:
    struct Iterator;
    std::unique_ptr<Iterator> m_iterator;
};
