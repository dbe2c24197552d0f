// The main window's menu bar and the editor's context menu.
#include "app/Remain.h"

#include "app/RollEditor.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

using namespace Qt::StringLiterals;

namespace {

using Handler = void (TForm1::*)();

// Builds one menu: items are QActions owned by the window and named after the
// item, so other windows, settings and tests find them by name.
class MenuBuilder {
public:
    MenuBuilder(TForm1 *form, QMenu *menu) : m_form(form), m_menu(menu) {}

    QAction *item(const QString &name, const QString &caption, Handler handler,
                  const QKeySequence &key = {})
    {
        auto *action = new QAction(caption, m_form);
        action->setObjectName(name);
        action->setShortcut(key);
        if (handler)
            QObject::connect(action, &QAction::triggered, m_form, handler);
        m_menu->addAction(action);
        return action;
    }

    // A check item toggles its own mark, then runs its handler (if any).
    QAction *check(const QString &name, const QString &caption, Handler handler = nullptr,
                   bool checked = false)
    {
        QAction *action = item(name, caption, handler);
        action->setCheckable(true);
        action->setChecked(checked);
        return action;
    }

    void add(QAction *shared) { m_menu->addAction(shared); }
    void separator() { m_menu->addSeparator(); }

    MenuBuilder sub(const QString &name, const QString &caption)
    {
        QMenu *menu = m_menu->addMenu(caption);
        menu->setObjectName(name);
        return MenuBuilder(m_form, menu);
    }

private:
    TForm1 *m_form;
    QMenu *m_menu;
};

QKeySequence key(const char *text)
{
    return QKeySequence(QString::fromLatin1(text));
}

} // namespace

void TForm1::buildMenus()
{
    auto top = [this](const QString &name, const QString &caption) {
        QMenu *menu = menuBar()->addMenu(caption);
        menu->setObjectName(name);
        return MenuBuilder(this, menu);
    };

    MenuBuilder file = top(u"File1"_s, u"ファイル(&File)"_s);
    file.item(u"New1"_s, u"新規作成(&New)"_s, &TForm1::New1Click);
    file.item(u"O1"_s, u"開く(&Open)"_s, &TForm1::O1Click, key("Ctrl+O"));
    file.item(u"Saveas1"_s, u"名前をつけて保存(Save &as)"_s, &TForm1::Saveas1Click, key("Ctrl+S"));
    file.separator();
    file.item(u"ConfigRead1"_s, u"設定を開く (Config &Load)"_s, &TForm1::ConfigRead1Click);
    file.item(u"ConfigSave1"_s, u"設定を保存(Config &Save)"_s, &TForm1::ConfigSave1Click);
    file.separator();
    file.item(u"Break1"_s, u"作業を中断する(Resu&me)"_s, &TForm1::Break1Click, key("Ctrl+Q"));
    file.item(u"Restore1"_s, u"作業を再開する(&Restore)"_s, &TForm1::Restore1Click);
    file.separator();
    file.item(u"Exit1"_s, u"プログラム終了(&Exit)"_s, &TForm1::Exit1Click);

    MenuBuilder edit = top(u"Edit1"_s, u"編集(&Edit)"_s);
    QAction *undo = edit.item(u"Undo1"_s, u"元に戻す(&Undo)"_s, &TForm1::Undo1Click, key("Ctrl+Z"));
    edit.item(u"Redo1"_s, u"再度戻す(&Redo)"_s, &TForm1::Redo1Click, key("Ctrl+W"));
    edit.separator();
    QAction *cut = edit.item(u"cuT1"_s, u"切り取り(cu&t)"_s, &TForm1::cuT1Click, key("Ctrl+X"));
    QAction *copy = edit.item(u"Copy1"_s, u"コピー(&Copy)"_s, &TForm1::Copy1Click, key("Ctrl+C"));
    QAction *paste = edit.item(u"Paste1"_s, u"貼り付け(&Paste)"_s, &TForm1::Paste1Click, key("Ctrl+V"));
    edit.item(u"Delete1"_s, u"削除(De&lete)"_s, &TForm1::Delete1Click, key("Ctrl+Alt+D"));
    edit.item(u"All1"_s, u"すべて選択(&All)"_s, &TForm1::All1Click, key("Ctrl+A"));
    edit.separator();
    edit.item(u"Search1"_s, u"検索(&Find)"_s, &TForm1::SearchClick, key("Ctrl+F"));
    QAction *next = edit.item(u"Next1"_s, u"次を検索(&Next)"_s, &TForm1::Next1Click, key("F3"));
    edit.item(u"FindListup1"_s, u"一括検索(Find &Listup)"_s, &TForm1::FindListup1Click, key("Shift+F3"));
    edit.item(u"Replace1"_s, u"置換(&Replace)"_s, &TForm1::Replace1Click, key("Ctrl+R"));
    edit.separator();
    edit.item(u"Jump1"_s, u"指定行に移動(&Jump)"_s, &TForm1::Jump1Click, key("Ctrl+J"));
    edit.separator();
    QAction *rubi = edit.sub(u"Command1"_s, u"IPtalk制御記号(Comman&d)"_s)
                        .item(u"Rubi2"_s, u"ルビ記号(&Rubi)"_s, &TForm1::Rubi2Click);

    MenuBuilder tool = top(u"Tool1"_s, u"ツール(&Tool)"_s);
    MenuBuilder check = tool.sub(u"LineCheck1"_s, u"行チェック(&Check)"_s);
    check.item(u"M1"_s, u"文字数でチェック(&Count)"_s, &TForm1::M1Click);
    check.item(u"W1"_s, u"文字幅でチェック(&Width)"_s, &TForm1::W1Click);
    MenuBuilder plastic = tool.sub(u"Plastic1"_s, u"整形(&Plastic)"_s);
    plastic.item(u"Line1"_s, u"指定文字数で改行(Adjust by &Count)"_s, &TForm1::Line1Click);
    plastic.item(u"AdjustWidth1"_s, u"指定幅で改行(Adjust by &Width)"_s, &TForm1::AdjustWidth1Click);
    plastic.item(u"AdjustbyEnter1"_s, u"「。」で改行(Adjust by &Enter)"_s, &TForm1::AdjustbyEnter1Click);
    plastic.item(u"AdjustbyTalker1"_s, u"「／」で改行（Adjust by &Talker)"_s, &TForm1::AdjustbyTalker1Click);
    plastic.item(u"AdjustbyComma"_s, u"「、」で改行（Adjust by C&omma)"_s, &TForm1::AdjustbyCommaClick);
    plastic.item(u"AdjustCenter"_s, u"センタリング(C&entering)"_s, &TForm1::AdjustCenterClick);
    plastic.item(u"rimming1"_s, u"前後空白の削除(T&rimming)"_s, &TForm1::rimming1Click);
    MenuBuilder assist = tool.sub(u"Assist1"_s, u"作成支援(&Assist)"_s);
    assist.item(u"N12"_s, u"ロール統合(&Joint)"_s, &TForm1::N12Click);
    assist.item(u"Analyze1"_s, u"文章解析(&Analyze)"_s, &TForm1::Analyze1Click);
    assist.item(u"Name1"_s, u"発言者チェック(&Name)"_s, &TForm1::Name1Click);
    assist.item(u"Counter1"_s, u"全体文字数(&Counter)"_s, &TForm1::Counter1Click);
    assist.item(u"Replace3"_s, u"文字種の置き換え(&Replace)"_s, &TForm1::Replace3Click);
    assist.item(u"Rubi3"_s, u"ふりがなを振る(R&ubi)"_s, &TForm1::Rubi3Click);
    assist.item(u"PaternMark1"_s, u"品詞をマーク(&Mark)"_s, &TForm1::PaternMark1Click);
    assist.item(u"SlideConvert1"_s, u"スライド前ロール化(&Slide Convert)"_s, &TForm1::SlideConvert1Click);
    assist.item(u"SlideEditor1"_s, u"スライド編集(Slide &Editor)"_s, &TForm1::SlideEditor1Click);
    SlideCountMode = assist.check(u"SlideCountMode"_s,
                                  u"スライド風ロール向けの行カウント(Line &Count Mode)"_s,
                                  &TForm1::SlideCountModeClick);
    tool.item(u"Advice1"_s, u"前ロールアドバイザ(A&dvice)"_s, &TForm1::Advice1Click);
    tool.sub(u"Input1"_s, u"流し込み支援(&Input)"_s)
        .item(u"Input2"_s, u"入力支援メニュー(&Input Assist)"_s, &TForm1::Input2Click);

    MenuBuilder set = top(u"Set1"_s, u"設定(&Set)"_s);
    set.item(u"Print1"_s, u"印字設定(&Print)"_s, &TForm1::Print1Click);
    MenuBuilder draw = set.sub(u"Draw1"_s, u"表示設定(&Draw)"_s);
    NoRecolor = draw.check(u"NoRecolor"_s, u"色付けを自動更新しない(No &Color)"_s, &TForm1::NoRecolorClick);
    NoMojiLine = draw.check(u"NoMojiLine"_s, u"文字ライン数を表示しない(No Width &Line)"_s,
                            &TForm1::NoMojiLineClick);
    draw.item(u"ForceRecolor"_s, u"色づけしなおす(&ReDraw)"_s, &TForm1::ForceRecolorClick);
    CaretLine1 = draw.check(u"CaretLine1"_s, u"キャレットラインを表示する(&Caret Line)"_s,
                            &TForm1::CaretLine1Click);
    MenuBuilder checkSet = set.sub(u"CheckSet1"_s, u"チェック設定(&Check)"_s);
    checkSet.item(u"Window1"_s, u"チェックウィンドウ(&Check)"_s, &TForm1::Check1Click);
    checkSet.item(u"IPtalkInport1"_s, u"IPtalkの設定を取り込む(&Import)"_s, &TForm1::IPtalkInport1Click);
    set.item(u"Analyze3"_s, u"言語解析(&Analyze)"_s, &TForm1::Analyze3Click);
    set.item(u"Analyze2"_s, u"フィルタ(&Filter)"_s, &TForm1::Analyze2Click);
    MenuBuilder grade = set.sub(u"FuriganaGradeSet1"_s, u"ふりがなの学年(Furigana &Grade)"_s);
    FuriganaGrades = {grade.check(u"FuriganaGradeAll"_s, u"すべての語に振る(&All)"_s, nullptr, true),
                      grade.check(u"FuriganaGrade1"_s, u"小学1年生までの漢字には振らない(&1)"_s),
                      grade.check(u"FuriganaGrade2"_s, u"小学2年生までの漢字には振らない(&2)"_s),
                      grade.check(u"FuriganaGrade3"_s, u"小学3年生までの漢字には振らない(&3)"_s),
                      grade.check(u"FuriganaGrade4"_s, u"小学4年生までの漢字には振らない(&4)"_s),
                      grade.check(u"FuriganaGrade5"_s, u"小学5年生までの漢字には振らない(&5)"_s),
                      grade.check(u"FuriganaGrade6"_s, u"小学6年生までの漢字には振らない(&6)"_s)};
    auto *grades = new QActionGroup(this);
    for (QAction *action : std::as_const(FuriganaGrades))
        grades->addAction(action);
    MenuBuilder plasticSet = set.sub(u"PlasticSet1"_s, u"整形設定(P&lastic)"_s);
    PlasticComment = plasticSet.check(u"PlasticComment"_s, u"コメントも整形する(with &Comment-Line)"_s);
    PlasticWordCheck = plasticSet.check(u"PlasticWordCheck"_s, u"泣き別れを考慮する(&Word Check)"_s);
    WordDictionary1 = plasticSet.item(u"WordDictionary1"_s, u"カスタム泣き別れ辞書(Word &Dictionary)"_s,
                                      &TForm1::WordDictionary1Click);
    noeffectCR = plasticSet.check(u"noeffectCR"_s, u"改行をすべて無視(&no effect CR)"_s);
    CRdot = plasticSet.check(u"CRdot"_s, u"「。」で改行する(CR by d&ot)"_s);
    CRcomma = plasticSet.check(u"CRcomma"_s, u"「、」で改行する(CR by comm&a )"_s);
    CRInsert = plasticSet.check(u"CRInsert"_s, u"１行毎に改行を入れる(inser&t CR)"_s);
    // How the reshapes choose their breaks, beyond keeping words whole.
    plasticSet.separator();
    PlasticKinsoku = plasticSet.check(u"PlasticKinsoku"_s, u"禁則処理をする(&Kinsoku)"_s);
    PlasticPhrase = plasticSet.check(u"PlasticPhrase"_s, u"文節の切れ目で改行する(&Phrase)"_s);
    PlasticBalance = plasticSet.check(u"PlasticBalance"_s, u"行の長さをそろえる(&Balance)"_s);
    AutoSave1 = set.check(u"AutoSave1"_s, u"自動保存する(A&utoSave)"_s, &TForm1::AutoSave1Click);

    MenuBuilder print = top(u"Print2"_s, u"印字(&Print)"_s);
    MenuBuilder roll = print.sub(u"RollPrint1"_s, u"前ロール印刷(&Roll)"_s);
    roll.item(u"Standard1"_s, u"通常印刷(&Standard)"_s, &TForm1::Standard1Click, key("Ctrl+P"));
    roll.item(u"Extend1"_s, u"分割あり印刷(&Enhanced)"_s, &TForm1::Extend1Click, key("Ctrl+Alt+P"));
    print.sub(u"PartsPrint1"_s, u"抜き出し印刷(&Parts)"_s)
        .item(u"N10"_s, u"タイトル印刷(&Title)"_s, &TForm1::N10Click);

    MenuBuilder window = top(u"Window2"_s, u"ウィンドウ(&Window)"_s);
    window.item(u"Analyze4"_s, u"文章解析(&Analyze)"_s, &TForm1::Analyze4Click, key("Ctrl+Alt+A"));
    window.item(u"Window3"_s, u"チェックウィンドウ(&Check)"_s, &TForm1::Window3Click, key("Ctrl+Alt+C"));
    // Ctrl+Alt+D belongs to the Edit menu's delete command, which comes first;
    // here it is only shown.
    QAction *advice = window.item(u"Advice2"_s, u"前ロールアドバイザ(A&dvice)"_s,
                                  &TForm1::Advice2Click, key("Ctrl+Alt+D"));
    advice->setShortcutContext(Qt::WidgetShortcut);
    window.item(u"InputAssist1"_s, u"入力支援メニュー(&Input Assist)"_s, &TForm1::InputAssist1Click,
                key("Ctrl+Alt+I"));
    window.item(u"Name2"_s, u"発言者チェック(&Name)"_s, &TForm1::Name2Click, key("Ctrl+Alt+N"));
    window.item(u"FindListup2"_s, u"一括検索(Find &Listup)"_s, &TForm1::FindListup2Click, key("Ctrl+Alt+S"));
    window.item(u"Joint1"_s, u"ロール統合(&Joint)"_s, &TForm1::Joint1Click, key("Ctrl+Alt+R"));
    window.item(u"BackupForm"_s, u"バックアップローダー(&Backup)"_s, &TForm1::BackupFormClick,
                key("Ctrl+Alt+B"));
    window.separator();
    CaptionPreview1 = window.check(u"CaptionPreview1"_s, u"字幕プレビュー(&Preview)"_s, &TForm1::CaptionPreview1Click);
    CaptionPreview1->setShortcut(key("Ctrl+Alt+V"));

    MenuBuilder help = top(u"Help1"_s, u"ヘルプ(&Help)"_s);
    help.item(u"SupportSite1"_s, u"サポートサイトを開く(&Open)"_s, &TForm1::SupportSite1Click);
    help.item(u"Manual1"_s, u"マニュアルを開く(&Manual)"_s, &TForm1::Manual1Click);
    help.separator();
    help.item(u"About1"_s, u"このツールについて(&About)"_s, &TForm1::About1Click);

    // Context menu of the editor. Items identical to a menu-bar item share its
    // action; the others are the popup's own, and those with keys of their own
    // (Ctrl+H, Ctrl+G, Alt+Space, Ctrl+Space) act while the editor has focus.
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(u"PopupMenu1"_s);
    MenuBuilder popup(this, PopupMenu1);
    popup.add(undo);
    popup.separator();
    popup.add(cut);
    popup.add(copy);
    popup.add(paste);
    popup.item(u"PopDelete1"_s, u"削除(De&lete)"_s, &TForm1::Delete1Click);
    popup.separator();
    popup.item(u"PopSearch1"_s, u"検索(&Search)"_s, &TForm1::SearchClick, key("Ctrl+F"));
    popup.add(next);
    QList<QAction *> editorKeys;
    editorKeys << popup.item(u"PopReplace1"_s, u"置換(&Replace)"_s, &TForm1::Replace1Click, key("Ctrl+H"));
    popup.separator();
    // Runs the same command as the menu bar's jump.
    editorKeys << popup.item(u"PopJump1"_s, u"指定行に移動(&Jump)"_s, &TForm1::Jump1Click, key("Ctrl+G"));
    popup.separator();
    popup.sub(u"PopCommand1"_s, u"IPtalk制御記号(Co&mmand)"_s).add(rubi);
    popup.separator();
    MenuBuilder comment = popup.sub(u"Comment1"_s, u"コメント化(C&omment)"_s);
    comment.item(u"Tag1"_s, u"タグジャンプ用のコメント(&Tag)"_s, &TForm1::Tag1Click);
    comment.item(u"Summary1"_s, u"説明用のコメント(&Summary)"_s, &TForm1::Summary1Click);
    comment.item(u"Change1"_s, u"交代者用のコメント(&Change)"_s, &TForm1::Change1Click);
    editorKeys << comment.item(u"Standard2"_s, u"単純なコメント(Standar&d)"_s, &TForm1::Standard2Click,
                               key("Alt+Space"));
    editorKeys << popup.item(u"Uncomment1"_s, u"アンコメント化(Uncomm&ent)"_s, &TForm1::Uncomment1Click,
                             key("Ctrl+Space"));
    for (QAction *action : std::as_const(editorKeys)) {
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        RichEdit1->addAction(action);
    }
    RichEdit1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(RichEdit1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { PopupMenu1->popup(RichEdit1->viewport()->mapToGlobal(pos)); });

    // Keys of the menu commands win over the editor's built-in bindings.
    QList<QKeySequence> commandKeys;
    for (const QAction *action : findChildren<QAction *>()) {
        if (!action->shortcut().isEmpty() && action->shortcutContext() != Qt::WidgetShortcut)
            commandKeys.append(action->shortcut());
    }
    RichEdit1->setCommandKeys(commandKeys);
}
