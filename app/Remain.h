#pragma once
// The main window: owns the roll (RichEdit1), its menus, panels and timers.
// Handlers keep the names the captioners' documentation uses; the work itself
// lives in the logic units they call.
#include "roll/RollAccess.h"
#include "roll/RollConventions.h"
#include "platform/WindowSender.h"
#include "reshape/RollCommands.h"
#include "reshape/WordList.h"

#include <functional>
#include <optional>

#include <QMainWindow>

#include <memory>

class CurrentPrinter;
class DocumentFiles;
class EditHistory;
class WorkSuspend;
class EditorView;
class FindCommands;
class LineSender;
class PrintCommands;
class ShapeCommands;
class WordAnalysis;
class RollHighlighter;
class TagListModel;
class TCaptionPreview;
class TFindDialog;
class TReplaceDialog;
class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QSpinBox;
class QSplitter;
class QTimer;
class LineNumberGutter;
class RollEditor;
class RollSession;

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    TForm1();
    ~TForm1() override;

    // The first command-line argument, opened at the end of start-up.
    void setCommandLineFile(const QString &path) { m_commandLineFile = path; }

    // The simple status text at the bottom.
    // The roll as tool windows and commands reach it.
    RollAccess &rollAccess() { return *m_rollAccess; }
    // The roll itself: its document, history and transactions.
    RollSession &session() { return *m_session; }
    // The analyser's runs over the roll and the last one's digest.
    WordAnalysis &wordAnalysis() { return *m_wordAnalysis; }

    void setStatusText(const QString &text);
    QString statusText() const;

    // The recognised comment kinds, as the four check boxes say now.
    CommentKinds commentKinds() const;
    // The school year automatic furigana is for, as the Set menu says (0:
    // every word). Setting one outside 0 to 6 chooses 0.
    int furiganaGrade() const;
    void setFuriganaGrade(int grade);
    // The settings file's "WordDictionary" mark, kept as it was read so that
    // saving writes it back; nothing follows from it and no menu shows it.
    bool wordDictionaryMark() const { return m_wordDictionaryMark; }
    void setWordDictionaryMark(bool on) { m_wordDictionaryMark = on; }

    // The change handler: records the state in the undo history and starts
    // the caret-line recolouring (the gutter follows the editor by itself).
    // Commands call it directly to record the state before a bulk change.
    void RichEdit1Change();
    // Empties every slot of the undo history and returns to slot 0 (New).
    void ClearUndoHistory();

    // A command that rewrites the roll in steps opens a RollSession::Transaction
    // for its scope: one undo step and one recolouring, however nested.
    // RecolorSuppressed: while set, neither recolouring runs and changed lines
    // keep their colours; the ForceRecolorClick() at the end of the command
    // brings colours and the tag-jump list up to date. Held with FlagHold.
    bool RecolorSuppressed = false;
    // Busy: an undo/redo is replacing the text or a recolouring runs; the
    // recolouring timers wait for the next tick meanwhile.
    bool Busy = false;

    // The undo history (read by tests and benchmarks).
    const EditHistory &history() const;
    // Status text of the caret line and column and the roll size, and the
    // caret bar under the caret line. Runs after every key, mouse button and
    // wheel event the editor handles; commands that move the caret call it.
    void updateCaretStatus();

    // Document loading and saving: the file commands' (DocumentFiles).
    DocumentFiles &documentFiles();
    // Suspend, resume and autosave.
    WorkSuspend &workSuspend();
    // An autosave or suspend copy chosen in the backup history becomes the
    // roll: the save question first, then as Open loads it (Undo brings back
    // the roll it replaced).
    void takeUpCopy(const QString &path);
    // Replaces the roll by the document at `path`: ".txt"/".sl1" and the
    // program's rich-text copies (under any name) read directly, anything else
    // through the document filter. Asks nothing; false (roll unchanged, the
    // user told why) when it cannot be read.
    bool LoadDocument(const QString &path);
    // The save dialog, then SaveRoll; false when cancelled or not saved.
    bool SaveDocumentWithDialog();
    // Writes the roll to `path` as a roll file, after asking when characters
    // would become "?"; false when the user declines or the write fails.
    bool SaveRoll(const QString &path);
    // Replaces the roll text between two positions by `text` as one undo
    // step, recolouring held off meanwhile and brought up to date after; only
    // the part that differs is rewritten, so the view keeps its lines.
    void replaceRollRange(int from, int to, const QString &text);
    // Line sending (LineSender). The back end that reaches other windows,
    // made on first use for this desktop; tests install a fake before.
    WindowSender &windowSender();
    // How long a target may take to read a sent line's keys (ms).
    int sendSettleTime() const;
    void setSendSettleTime(int ms);
    void setWindowSender(std::unique_ptr<WindowSender> sender);
    // The capture hot key `id` (ours is 0) went off over `window`: stores it
    // in SendHandle and tells the user.
    void WMHotKey(int id, WId window);
    // The roll editor's key handler: F1, or Enter with send-by-Enter, sends
    // the caret line and moves the caret on. True when the key is used up.
    bool RichEdit1KeyDown(QKeyEvent *key);

    // The desktop session is ending (logout): when the session lets the
    // program ask, the same question as closing the window. False when the
    // user chose to stay; the session end is then to be cancelled.
    bool mayEndSession(bool mayAsk);

    // The application's printer, which the print settings window chooses
    // and every print command uses (PrintCommands).
    CurrentPrinter &currentPrinter();

    // Files dropped onto the window, in order (each replaces the roll).
    void FormDropFiles(const QStringList &paths);
    void LoadConfigFile(const QString &path);
    // False (after telling the user) when the file could not be written.
    bool SaveConfigFile(const QString &path);

    // Controls (designer names).
    QLabel *StatusBar1 = nullptr;
    QSplitter *Splitter1 = nullptr;
    QComboBox *SelFontName = nullptr;
    QSpinBox *SelFontSize = nullptr;
    QSpinBox *CharPosValue = nullptr;
    QCheckBox *Cmt1 = nullptr;
    QCheckBox *Cmt2 = nullptr;
    QCheckBox *Cmt3 = nullptr;
    QCheckBox *Cmt4 = nullptr;
    QLineEdit *SendHandle = nullptr;
    QPushButton *Button1 = nullptr;
    QComboBox *SendMethod = nullptr;
    QComboBox *QueJump = nullptr;
    LineNumberGutter *LineNo = nullptr;
    RollEditor *RichEdit1 = nullptr;
    QFrame *CharPosSign = nullptr;
    QFrame *CursorLine = nullptr;
    QMenu *PopupMenu1 = nullptr;
    TFindDialog *FindDialog1 = nullptr;
    TReplaceDialog *ReplaceDialog1 = nullptr;
    TCaptionPreview *CaptionPreview = nullptr; // the pane under the editor

    QTimer *Timer1 = nullptr;
    QTimer *AutoSaveTimer = nullptr;
    QTimer *RE1_Draw = nullptr;
    QTimer *RE1_Draw2 = nullptr;
    QTimer *LineTimer = nullptr;

    // Menu items that other windows read or that carry a check mark.
    QAction *SlideCountMode = nullptr;
    QAction *NoRecolor = nullptr;
    QAction *NoMojiLine = nullptr;
    QAction *CaretLine1 = nullptr;
    QAction *PlasticComment = nullptr;
    QAction *PlasticKinsoku = nullptr;
    QAction *PlasticPhrase = nullptr;
    QAction *PlasticBalance = nullptr;
    QAction *PlasticWordCheck = nullptr;
    QAction *noeffectCR = nullptr;
    QAction *CRdot = nullptr;
    QAction *CRcomma = nullptr;
    QAction *CRInsert = nullptr;
    QAction *AutoSave1 = nullptr;
    QAction *WordDictionary1 = nullptr; // opens the custom dictionary window
    // The school years automatic furigana can be for, by grade: 0 (every
    // word) to 6; one is checked.
    QList<QAction *> FuriganaGrades;
    QAction *CaptionPreview1 = nullptr;

Q_SIGNALS:
    void statusTextChanged(const QString &text);
    // The window has closed (the program ends with it).
    void closed();

public Q_SLOTS:
    // File
    void New1Click();
    void O1Click();
    void Saveas1Click();
    void ConfigRead1Click();
    void ConfigSave1Click();
    void Break1Click();
    void Restore1Click();
    void Exit1Click();
    // Edit
    void Undo1Click();
    void Redo1Click();
    void cuT1Click();
    void Copy1Click();
    void Paste1Click();
    void Delete1Click();
    void All1Click();
    void SearchClick();
    void Next1Click();
    void FindListup1Click();
    void Replace1Click();
    void Jump1Click();
    void Rubi2Click();
    // Tool
    void M1Click();
    void W1Click();
    void Line1Click();
    void AdjustWidth1Click();
    void AdjustbyEnter1Click();
    void AdjustbyTalker1Click();
    void AdjustbyCommaClick();
    void AdjustCenterClick();
    void rimming1Click();
    void N12Click();
    void Analyze1Click();
    void Name1Click();
    void Counter1Click();
    void Replace3Click();
    void Rubi3Click();
    void PaternMark1Click();
    void SlideConvert1Click();
    void SlideEditor1Click();
    void SlideCountModeClick();
    void Advice1Click();
    void Input2Click();
    // Set
    void Print1Click();
    void NoRecolorClick();
    void NoMojiLineClick();
    void ForceRecolorClick();
    void CaretLine1Click();
    void Check1Click();
    void IPtalkInport1Click();
    void Analyze3Click();
    void Analyze2Click();
    void WordDictionary1Click();
    void AutoSave1Click();
    // Print
    void Standard1Click();
    void Extend1Click();
    void N10Click();
    // Window
    void Analyze4Click();
    void Window3Click();
    void Advice2Click();
    void InputAssist1Click();
    void Name2Click();
    void FindListup2Click();
    void Joint1Click();
    void BackupFormClick();
    void CaptionPreview1Click();
    // Help
    void SupportSite1Click();
    void Manual1Click();
    void About1Click();
    // Context menu
    void Tag1Click();
    void Summary1Click();
    void Change1Click();
    void Standard2Click();
    void Uncomment1Click();
    // Panels
    void Button1Click();
    void SelFontNameSelect();
    void SelFontSizeChange();
    void CharPosValueChange();
    void QueJumpSelect();
    void Cmt1Click();
    void Splitter1Moved();
    // Timers
    void Timer1Timer();
    void AutoSaveTimerTimer();
    void RE1_DrawTimer();
    void RE1_Draw2Timer();
    void LineTimerTimer();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    friend class FormRollAccess; // the face delegates to the commands below
    void buildPanels();
    void buildView();
    void buildMenus();
    void buildTimers();
    void buildEditorView();
    void buildDocumentFiles();
    void buildWorkSuspend();
    // Puts `text` in as a whole new roll: coloured, the view at its start.
    void takeNewRoll(const QString &text);
    void buildSending();
    void buildPrinting();
    void buildCaptionPreview();
    void updateTagsForChange(int firstLine, int oldLastLine, int newLastLine);
    void rebuildTags();
    void restoreStep(bool undo);
    void buildFindCommands();
    void FindDialog1Find(const QString &findText);
    void ReplaceDialog1Replace(bool all);
    void commentSelection(const QString &marker);
    void presentFoundLine(int line, const QString &message);
    // Whole-roll reshaping (the frame shared by the reshape commands).
    RollShapeSettings shapeSettings() const;
    void buildShapeCommands();
    // Puts `text` in the editor as a whole new roll, uncoloured: the caller
    // calls colourWholeText(text) once colouring may run.
    void setWholeText(const QString &text);
    // Colours the lines of a text setWholeText put in that need colour; the
    // change handler lets the formats pass (they change no text).
    void colourWholeText(const QString &text);
    void rewriteRoll(const std::function<QStringList(const QStringList &)> &transform,
                     const QString &report, const QString &workingStatus);
    void rewriteRollText(const QString &text, const QString &report, const QString &workingStatus);
    void replaceWholeRoll(const std::function<QString()> &newText, const QString &report,
                          const QString &workingStatus);
    std::optional<WordList> reshapeWordList();
    void placeCaretBar();
    void keepViewAfterBulkChange(int firstLine, int caretLine);
    void FormShow();
    bool FormClose();
    void runStartupStages();
    bool fillPrinterStage();

    std::unique_ptr<RollSession> m_session; // before the editor, which shows its document
    std::unique_ptr<RollAccess> m_rollAccess;
    std::unique_ptr<WordAnalysis> m_wordAnalysis;
    std::unique_ptr<ShapeCommands> m_shape;
    std::unique_ptr<DocumentFiles> m_files;
    std::unique_ptr<EditorView> m_view;
    std::unique_ptr<WorkSuspend> m_suspend;
    std::unique_ptr<PrintCommands> m_print;
    LineSender *m_lineSender = nullptr;
    FindCommands *m_find = nullptr;
    RollHighlighter *m_highlighter = nullptr;
    TagListModel *m_tags = nullptr;
    bool m_tagsStale = false; // lines changed without the tag list following
    bool m_drawing = false;
    QString m_commandLineFile;
    bool m_shown = false;
    bool m_exiting = false;
    bool m_wordDictionaryMark = false;
    // The roll as it was when the user answered the question for the end of
    // the session: the session then closes the window without asking twice.
    std::optional<QString> m_sessionEndText;
};

extern TForm1 *Form1;
