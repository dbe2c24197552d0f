// The document files of the main window (see the header).
#include "app/DocumentFiles.h"

#include "roll/RollAccess.h"
#include "roll/RollFile.h"
#include "roll/RollRtf.h"
#include "roll/ShiftJisSave.h"
#include "widgets/FileDrops.h"
#include "platform/Cp932.h"
#include "platform/ProcessRunner.h"
#include "platform/Prompter.h"
#include "platform/TextFile.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QStringDecoder>
#include <QWidget>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

// Caption of errors that the file commands do not answer with a message of
// their own (the application's title).
const QString kErrorCaption = u"前ロールエディタ　Velmat"_s;
const QString kFilterCaption = u"フィルタ実行"_s;
const QString kDiscardQuestion = u"現在のデータを保存しますか？"_s;
const QString kDiscardCaption = u"破棄の確認"_s;
// A filter that has not finished after this long is stopped.
// The filter's status for a document read only in part: the text it could
// read is on its output, what is missing or changed on its error output.
constexpr int kFilterPartialText = 3;

const QString kOpenFilter =
    u"テキストファイル(*.txt)|*.txt|IPtalk スライド(*.sl1)|*.sl1|リッチテキスト(*.rtf)|*.rtf|"
    u"WORDファイル(*.doc;*.docx)|*.doc;*.docx|Excelファイル(*.xls;*.xlsx)|*.xls;*.xlsx|"
    u"PowerPointファイル(*.ppt;*.pptx)|*.ppt;*.pptx|"
    u"OpenOffice.org (*.sxw;*.sxc;*.sxi;*.sxd)|*.sxw;*.sxc;*.sxi;*.sxd|"
    u"OpenDocument (*.odt;*.ods;*.odp;*.odg)|*.odt;*.ods;*.odp;*.odg|一太郎 (*.j*)|*.j*|"
    u"OASYS (*.oa*)|*.oa*|Lotas 123 (*.wj*;*.wl*)|*.wj*;*.wl*|"
    u"Adobe Portable Data Format (*.pdf)|*.pdf|HTML (*.html)|*.html|Outlook (*.eml)|*.eml|"
    u"すべてのファイル(*.*)|*.*"_s;
const QString kSaveFilter =
    u"テキストファイル(*.txt)|*.txt|スライド(*.sl1)|*.sl1|すべてのファイル(*.*)|*.*"_s;

// While the filter runs the window keeps painting, but takes no input: a
// command started meanwhile would act on a roll about to be replaced. Escape
// asks to stop the filter.
class BusyInput : public QObject {
public:
    BusyInput()
    {
        qApp->installEventFilter(this);
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~BusyInput() override
    {
        QApplication::restoreOverrideCursor();
        qApp->removeEventFilter(this);
    }
    bool cancelled() const { return m_cancelled; }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress:
            if (static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape)
                m_cancelled = true;
            return true;
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::InputMethod:
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
            return true;
        case QEvent::Close:
            return event->spontaneous();
        default:
            return false;
        }
    }

private:
    bool m_cancelled = false;
};

QString processMessage(const QByteArray &bytes)
{
    // Our filter writes UTF-8; another configured filter may write Shift-JIS.
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8(bytes);
    if (utf8.hasError())
        text = cp932Decode(bytes);
    return text.trimmed().replace(u'\n', u"\r\n"_s);
}

struct FilteredText {
    DecodedText decoded;
    QString damage; // why the text is not the whole document; empty when it is
};

// Runs the document filter over `path` and returns its output decoded; nullopt
// after telling the user why not (or after the user stopped it).
std::optional<FilteredText> runDocumentFilter(RollAccess &roll, const QString &program,
                                             const QString &path)
{
    roll.setStatusText(u"☆文書をテキストに変換中（Escで中止）・・・"_s);

    ProcessResult result;
    {
        BusyInput busy;
        result = runProcess(documentFilterRequest(program, path, [&busy] {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 30);
            return !busy.cancelled();
        }));
    }

    switch (result.status) {
    case ProcessResult::Status::FailedToStart:
        showMessage(u"フィルタが起動できません。\r\nソフト(xdoc2txt)のインストールはされていますか？"_s,
                    kFilterCaption);
        return std::nullopt;
    case ProcessResult::Status::Cancelled:
        if (result.outputTooLarge) {
            showMessage(u"文書のテキストが大きすぎます。読み込めるのは %1 までです。"_s.arg(
                            QLatin1StringView(kTextInputLimitName)),
                        kFilterCaption, MsgIcon::Error);
            return std::nullopt;
        }
        roll.setStatusText(u"☆読み込みを中止しました。"_s);
        return std::nullopt;
    case ProcessResult::Status::TimedOut:
        showMessage(u"文書の変換が %1 分たっても終わらないため、中止しました。"_s.arg(
                        kFilterTimeoutMs / 60000),
                    kFilterCaption, MsgIcon::Error);
        return std::nullopt;
    case ProcessResult::Status::Crashed:
    case ProcessResult::Status::Finished:
        break;
    }
    const bool partial = result.status == ProcessResult::Status::Finished
                         && result.exitCode == kFilterPartialText && !result.standardOutput.isEmpty()
                         && !processMessage(result.standardError).isEmpty();
    if (!result.succeeded() && !partial) {
        QString detail = processMessage(result.standardError);
        if (detail.isEmpty())
            detail = result.status == ProcessResult::Status::Crashed
                         ? u"フィルタが異常終了しました。"_s
                         : u"フィルタが終了コード %1 を返しました。"_s.arg(result.exitCode);
        showMessage(u"文書をテキストに変換できませんでした。\r\n"_s + detail, kFilterCaption,
                    MsgIcon::Error);
        return std::nullopt;
    }
    return FilteredText{decodeTextBytes(result.standardOutput, LineEnds::Fold),
                        partial ? processMessage(result.standardError) : QString()};
}

bool fileStartsAsRollRtf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false; // the filter tells what is wrong with it
    return startsAsRollRtf(file.read(kRollRtfSignatureBytes));
}

} // namespace

DocumentFiles::DocumentFiles(RollAccess &roll, Editor editor)
    : m_roll(roll), m_editor(std::move(editor))
{
}

void DocumentFiles::acceptDrops(QWidget *window, QWidget *editorViewport)
{
    acceptFileDrops(window, {window, editorViewport}, [this, window](const QStringList &paths) {
        // Questions and dialogs wait until the drag has ended.
        QMetaObject::invokeMethod(window, [this, paths] { dropFiles(paths); }, Qt::QueuedConnection);
    });
}

bool DocumentFiles::mayDiscardRoll()
{
    if (m_roll.length() == 0)
        return true;
    switch (showMessage(kDiscardQuestion, kDiscardCaption, MsgIcon::Question,
                        MsgButtons::YesNoCancel)) {
    case MsgResult::Yes:
        return saveWithDialog();
    case MsgResult::No:
        return true;
    default:
        return false;
    }
}

void DocumentFiles::newRoll()
{
    if (!mayDiscardRoll())
        return;
    m_editor.emptyRoll();
    m_rollFile.clear();
}

void DocumentFiles::openWithDialog()
{
    const FileDialogRequest request{u"ファイルを開く"_s, dialogFilter(kOpenFilter), QString(),
                                    m_openName};
    const QString path = Prompter::instance().openFileName(request);
    if (path.isEmpty())
        return;
    m_openName = path;
    load(path);
}

bool DocumentFiles::saveWithDialog()
{
    // The last chosen name, offered in the folder the roll came from.
    const QString proposed =
        m_rollFolder.isEmpty() ? m_saveName : QDir(m_rollFolder).filePath(m_saveName);
    const FileDialogRequest request{u"ファイルを保存する"_s, dialogFilter(kSaveFilter), QString(),
                                    proposed};
    const QString path = withDefaultSuffix(Prompter::instance().saveFileName(request), u"txt"_s);
    if (path.isEmpty())
        return false;
    const QFileInfo chosen(path);
    m_saveName = chosen.fileName();
    m_rollFolder = chosen.absolutePath();
    if (!save(path))
        return false;
    m_rollFile = path;
    return true;
}

bool DocumentFiles::save(const QString &path)
{
    return saveShiftJisLines(path, m_editor.fileLines());
}

bool DocumentFiles::load(const QString &path)
{
    const QString statusBefore = m_roll.statusText();
    m_roll.setStatusText(u"☆読み込み中・・・"_s);
    m_editor.showStatusNow();

    std::optional<QString> loaded;
    QString damage;
    QString warning;
    // The program's own rich-text copies are rolls under any name: they are
    // read here, not handed to the document filter.
    if (isPlainRollPath(path) || fileStartsAsRollRtf(path)) {
        RollFileRead read = readRollFile(path);
        if (read.ok) {
            warning = rollReadWarning(path, read.roll);
            loaded = std::move(read.roll.text);
        } else {
            showMessage(u"ファイル \"%1\" を開けません。\r\n%2"_s.arg(path, read.error), kErrorCaption,
                        MsgIcon::Error);
        }
    } else if (auto filtered = runDocumentFilter(m_roll, m_editor.filterProgram(), path)) {
        warning = undecodedPartsWarning(path, filtered->decoded);
        loaded = std::move(filtered->decoded.text);
        damage = filtered->damage;
    }
    if (!loaded) {
        if (m_roll.statusText().endsWith(u"・・・"_s)) // not when it says the user stopped it
            m_roll.setStatusText(statusBefore);
        return false;
    }

    m_editor.takeNewRoll(*loaded); // line ends folded while decoding
    m_rollFolder = QFileInfo(path).absolutePath();
    m_rollFile = path;

    if (!damage.isEmpty())
        showMessage(u"\"%1\" には読めない部分がありました。読めた文字だけを読み込んでいます。\r\n"_s.arg(path)
                        + damage,
                    QString::fromUtf16(kUndecodedPartsCaption), MsgIcon::Warning);
    if (!warning.isEmpty())
        showMessage(warning, QString::fromUtf16(kUndecodedPartsCaption), MsgIcon::Warning);
    return true;
}

void DocumentFiles::dropFiles(const QStringList &paths)
{
    for (const QString &path : paths) {
        if (!mayDiscardRoll())
            return;
        load(path);
    }
}
