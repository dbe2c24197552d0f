#include "app/TAboutBox.h"

#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

struct Release {
    const char16_t *version;
    const char16_t *notes;
};

// Newest first.
const Release kHistory[] = {
    {u"0.1.0",
     u"最初の公開版。前ロールの編集、文字数・文字幅のチェック、泣き別れを避ける整形"
     u"（禁則処理・文節・行の長さをそろえる）、ChaSen による文章解析とふりがな、"
     u"前ロールアドバイザ、文字種の置き換え、発言者チェックと一括検索、IPtalk スライド、"
     u"F1 による送出（X11、Wine の字幕ソフトへはブリッジ経由）、流し込み支援、印刷、"
     u"作業の中断と再開・自動保存、ロール統合、velmat-tool。"
     u"印刷はプリンタの解像度によらず同じミリメートルで枠を描き、"
     u"印刷ジョブにロールのファイル名を付けます。ヘルプメニューから日本語マニュアルを開けます。"},
};

struct Acknowledgement {
    const char16_t *name;
    const char16_t *licence;
    const char16_t *role;
};

// Everything the program links, runs, reads or ships, with its licence.
const Acknowledgement kAcknowledgements[] = {
    {u"Qt 6", u"GNU LGPL バージョン 3 (LGPL-3.0)",
     u"画面、印刷、文字列の処理。共有ライブラリとして使い、差し替えられます。"},
    {u"ChaSen", u"ChaSen ライセンス（BSD 形式）",
     u"形態素解析（泣き別れの判定、文章解析、ふりがな、品詞マーク）。奈良先端科学技術大学院大学 松本研究室。"},
    {u"IPAdic", u"IPAdic ライセンス",
     u"ChaSen の辞書。情報処理振興事業協会 (IPA) と奈良先端科学技術大学院大学。"},
    {u"MeCab", u"BSD / LGPL / GPL の三つから選べるライセンス",
     u"第二の形態素解析器として使える場合に使います。"},
    {u"ICU", u"ICU ライセンス (Unicode License)", u"禁則処理の改行位置（日本語の厳格な行分割）。"},
    {u"IPA フォント（IPAゴシック・IPA明朝）", u"IPA フォントライセンス v1.0 (IPA Font License)",
     u"字幕画面と印刷の文字幅を測るフォント。"},
    {u"Unicode East Asian Width 表 (EastAsianWidth-5.1.0.txt)", u"Unicode データファイル利用規約 (Unicode Terms of Use)",
     u"全角・半角の文字幅。Unicode Character Database の表をそのまま組み込んでいます。"},
    {u"漢字の表（学年別漢字配当表 1989 年、常用漢字表 2010 年、JIS X 0208 第2水準）",
     u"告示・規格の表で、著作権の対象外（著作権法第13条）",
     u"前ロールアドバイザとふりがなの学年。整理には ankitects/anki-addons、tsudoko/kanjigrid、"
     u"dahlia/shinjitai-table、melissaboiko/joyodb の公開データと glibc の iconv を参照しました。"},
    {u"poppler (pdftotext)", u"GNU GPL バージョン 2 または 3", u"velmat-doc2txt が PDF から文字を取り出すのに使います。"},
    {u"Xlib (libX11, libXtst)", u"MIT/X11 ライセンス", u"X11 のウィンドウへの送出。"},
    {u"Wine", u"GNU LGPL バージョン 2.1 以降 (LGPL-2.1+)",
     u"Wine で動く字幕ソフト（IPtalk・まぁちゃん）への送出ブリッジ。別途インストールしたものを使います。"},
};

QString historyHtml()
{
    QString html = u"<h3>バージョン履歴</h3>"_s;
    for (const Release &release : kHistory)
        html += u"<p><b>%1</b><br>%2</p>"_s.arg(QString::fromUtf16(release.version),
                                               QString::fromUtf16(release.notes).toHtmlEscaped());
    return html;
}

QString licencesHtml()
{
    QString html = u"<h3>ライセンスと謝辞</h3>"
                   u"<p>Velmat は次のソフトウェアとデータを使っています。作者と提供者の皆さまに感謝します。</p>"
                   u"<table cellspacing=\"0\" cellpadding=\"4\" border=\"1\">"
                   u"<tr><th>名前</th><th>ライセンス</th><th>使いみち</th></tr>"_s;
    for (const Acknowledgement &a : kAcknowledgements)
        html += u"<tr><td>%1</td><td>%2</td><td>%3</td></tr>"_s.arg(QString::fromUtf16(a.name).toHtmlEscaped(),
                                                                    QString::fromUtf16(a.licence).toHtmlEscaped(),
                                                                    QString::fromUtf16(a.role).toHtmlEscaped());
    html += u"</table><p>各ライセンスの全文は Debian では /usr/share/doc/（パッケージ名）/copyright にあります。</p>"_s;
    return html;
}

QTextBrowser *page(const QString &name, const QString &html, QWidget *parent)
{
    auto *browser = new QTextBrowser(parent);
    browser->setObjectName(name);
    browser->setOpenExternalLinks(true);
    browser->setHtml(html);
    return browser;
}

} // namespace

TAboutBox::TAboutBox()
    : ToolWindow(u"AboutBox"_s, u"バージョン情報"_s, 0x0004, Qt::Dialog)
{
    auto *layout = new QVBoxLayout(this);
    auto *title = new QLabel(u"前ロールエディター KOVA (Velmat)"_s, this);
    QFont big = title->font();
    big.setPointSize(big.pointSize() + 4);
    big.setBold(true);
    title->setFont(big);
    layout->addWidget(title);
    auto *version = new QLabel(u"バージョン "_s + QStringLiteral(VELMAT_VERSION), this);
    version->setObjectName(u"Version"_s);
    layout->addWidget(version);
    layout->addWidget(new QLabel(u"要約筆記の前ロール作成・送出を支援するエディタです。"_s, this));
    layout->addWidget(new QLabel(u"使い方と困ったときは「ヘルプ」→「マニュアルを開く」をご覧ください。"_s, this));

    Pages = new QTabWidget(this);
    Pages->setObjectName(u"Pages"_s);
    History = page(u"History"_s, historyHtml(), Pages);
    Licences = page(u"Licences"_s, licencesHtml(), Pages);
    Pages->addTab(History, u"履歴"_s);
    Pages->addTab(Licences, u"ライセンスと謝辞"_s);
    layout->addWidget(Pages, 1);

    auto *ok = new QPushButton(u"OK"_s, this);
    ok->setObjectName(u"OKButton"_s);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QWidget::hide);
    layout->addWidget(ok, 0, Qt::AlignRight);
    resize(640, 520);
}
