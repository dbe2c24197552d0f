#pragma once
// The whole-roll commands of Tool › 整形 over the roll face: each asks first,
// then rewrites the whole roll in one undo step and reports. What they read
// of the main window's settings comes as plain values at the moment they run.
#include "reshape/LineShapes.h"
#include "reshape/RollCommands.h"
#include "reshape/WidthCheckSettings.h"
#include "reshape/WordList.h"

#include <functional>
#include <optional>

class RollAccess;

class ShapeCommands {
public:
    struct Inputs {
        std::function<RollShapeSettings()> shapeSettings;
        std::function<int()> charsPerLine;              // 「文字ラインの位置」
        std::function<WidthCheckSettings()> widthCheck; // 「文字幅チェック」
        // The word check's words (the analyser's and the custom ones), or
        // nothing when the word check is off.
        std::function<std::optional<WordList>()> wordList;
    };

    ShapeCommands(RollAccess &roll, Inputs inputs);

    void reshapeByCount();  // by 「文字ラインの位置」 characters
    void reshapeByWidth();  // by the width-check pixels
    // A break after every mark; `interactive` asks first and reports after.
    void breakAtMark(BreakMark mark, bool interactive);
    void centre();
    void trim();

private:
    using Reshaper = std::function<QStringList(const QStringList &, const RollShapeSettings &, const WordList *)>;
    // The frame both reshapes share: the breaks first, each its own silent
    // command, then the word check's words, then one rewrite.
    void reshapeWith(const Reshaper &reshaper);
    void preReshapeBreaks(const RollShapeSettings &settings);

    RollAccess &m_roll;
    Inputs m_in;
};
