#include "reshape/TSetCheck.h"

#include "platform/ErrorNotifier.h"
#include "platform/Prompter.h"
#include "reshape/IPtalkSettings.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QSpinBox>
#include <QLabel>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TSetCheck::TSetCheck()
    : ToolWindow(u"SetCheck"_s, u"チェック設定"_s, 0x0010, Qt::Tool)
{
    auto *layout = new QVBoxLayout(this);
    auto *group = new QGroupBox(u"文字幅チェック"_s, this);
    auto *grid = new QGridLayout(group);
    SetCheckWidth = namedSpinBox(group, u"SetCheckWidth"_s, 0, 3000, 640);
    SelFontSize = namedSpinBox(group, u"SelFontSize"_s, 0, 300, 55);
    SelFont = new QComboBox(group);
    SelFont->setObjectName(u"SelFont"_s);
    SelFont->setEditable(true);
    SelFont->setCurrentText(u"ＭＳ ゴシック"_s);
    // The installed fonts fill the list at start: a long name must not widen
    // the window.
    SelFont->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    SelFont->setMinimumContentsLength(14);
    grid->addWidget(new QLabel(u"文字チェック：幅指定"_s, group), 0, 0);
    grid->addWidget(SetCheckWidth, 0, 1);
    grid->addWidget(new QLabel(u"ピクセル"_s, group), 0, 2);
    grid->addWidget(new QLabel(u"表示フォント基準サイズ"_s, group), 1, 0);
    grid->addWidget(SelFontSize, 1, 1);
    grid->addWidget(new QLabel(u"ポイント"_s, group), 1, 2);
    grid->addWidget(new QLabel(u"基準フォント"_s, group), 2, 0);
    grid->addWidget(SelFont, 2, 1, 1, 2);
    layout->addWidget(group);
    for (const QString &note : {u"●画面幅を基準にしてロールのチェックをします。"_s,
                                u"IPtalkの設定ファイルを読み込んで設定すると楽です。"_s,
                                u"（設定→チェック設定の中に読み込む所があります。）"_s}) {
        layout->addWidget(guidanceLabel(note, this));
    }
    // As large as its controls and texts, no larger: nothing in it grows.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    const auto changed = [this] { Q_EMIT settingsChanged(settings()); };
    connect(SetCheckWidth, &QSpinBox::valueChanged, this, changed);
    connect(SelFontSize, &QSpinBox::valueChanged, this, changed);
    connect(SelFont, &QComboBox::currentTextChanged, this, changed);
}

WidthCheckSettings TSetCheck::settings() const
{
    return {SetCheckWidth->value(), SelFont->currentText(), SelFontSize->value()};
}

void TSetCheck::applySettings(const WidthCheckSettings &settings)
{
    SetCheckWidth->setValue(settings.screenWidth);
    SelFontSize->setValue(settings.points);
    SelFont->setCurrentText(settings.font);
}

void TSetCheck::importIPtalkSettings()
{
    const QString caption = u"読み込み"_s;
    const QString path = Prompter::instance().openFileName(
        {u"開く"_s, dialogFilter(u"IPtalk 設定ファイル(*.dp9)|*.dp9"_s), {}, {}});
    if (path.isEmpty())
        return;
    const IPtalkSettings items = readIPtalkSettings(path);
    if (items.openFailed) {
        logError(raisedError(u"EFOpenError"_s, u"\"%1\": %2"_s.arg(path, items.problem)));
        showMessage(u"読み込みに失敗しました。アクセス権等ご確認ください。"_s, caption, MsgIcon::Error);
        return;
    }
    if (!items.readable()) {
        showMessage(u"\"%1\" はIPtalkの設定ファイルとして読めません。設定は変更していません。\r\n%2"_s.arg(
                        path, items.problem),
                    caption, MsgIcon::Error);
        return;
    }
    if (!items.hasItems()) {
        showMessage(u"\"%1\" には画面幅・フォント・フォントサイズの設定がありません。設定は変更していません。"_s.arg(path),
                    caption, MsgIcon::Warning);
        return;
    }
    applySettings(withIPtalkSettings(settings(), items));
    showMessage(u"読み込みを完了しました。"_s, caption, MsgIcon::Information);
}
