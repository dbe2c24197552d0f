#pragma once
// The roll without a window: the document the editor shows, the edit history
// that follows it and the transactions that make a command one undo step.
//
// Every change to the document is noted in the history as it happens; a state
// is recorded (an undo step) by record(), which the view calls after each
// change and a transaction calls around its work. Inside a transaction nothing
// is recorded: the outermost one records the state before it and after it, so
// a command built of other commands is still one step.
#include "history/EditHistory.h"

#include <QObject>
#include <QStringList>

#include <functional>
#include <optional>

class QTextDocument;

class RollSession : public QObject {
    Q_OBJECT
public:
    explicit RollSession(QObject *parent = nullptr);
    ~RollSession() override;

    // The document the editor is given; the session owns it.
    QTextDocument *document() const { return m_document; }
    const EditHistory &history() const { return m_history; }
    EditHistory &history() { return m_history; }

    // Reading. Lines end at "\n"; a final line break starts no further line.
    QStringList lines() const;
    QString wholeText() const { return m_history.shadow().text(); }
    QString textRange(int from, int to) const;
    int length() const;

    // Editing. replaceRange rewrites only the part that differs, so a view
    // keeps its lines; setWholeText puts a text in whole, as a load does, and
    // is the one way a whole new roll comes in.
    void replaceRange(int from, int to, const QString &text);
    void setWholeText(const QString &text);
    // How a whole text goes in: the view's own setter, so that its caret and
    // scrolling start over with it (without a view: the document's).
    void setWholeTextShower(std::function<void(const QString &)> shower) { m_showWhole = std::move(shower); }
    // Changes made while this is held only set formats: the history is not
    // asked to compare them (a whole-roll colouring would copy the roll).
    void setFormatsOnly(bool on) { m_formatsOnly = on; }

    // Recording. The view line is stored with each state so that undo shows
    // the view that was there; the view hands it in.
    void setViewLine(std::function<int()> viewLine) { m_viewLine = std::move(viewLine); }
    // Records the present state as an undo step, unless recording is held
    // (a transaction is open, an undo is applying, or the roll is starting).
    bool record();
    bool recordingHeld() const { return m_depth > 0 || m_restoring || m_startingUp; }
    // Held until the first view shows: the text loaded before is no step.
    void setStartingUp(bool on) { m_startingUp = on; }
    // Empties the history (New) or takes the present text as its first state.
    void clearHistory() { m_history.clear(); }
    void startHistoryOver() { m_history.startOver(); }

    // Undo and redo apply the step to the document and hand it back for the
    // view to show; nothing at either end of the history.
    std::optional<UndoRing::Step> undo();
    std::optional<UndoRing::Step> redo();

    // One undo step around any number of changes and nested transactions.
    class Transaction {
    public:
        explicit Transaction(RollSession &session);
        ~Transaction();
        Transaction(const Transaction &) = delete;
        Transaction &operator=(const Transaction &) = delete;

    private:
        RollSession &m_session;
    };
    int transactionDepth() const { return m_depth; }
    void beginTransaction();
    void endTransaction();

Q_SIGNALS:
    // The text changed: lines firstLine..oldLastLine became firstLine..newLastLine.
    void linesChanged(int firstLine, int oldLastLine, int newLastLine);
    // The text changed outside a transaction (the view records and recolours
    // the caret line), or an outermost transaction ended (the view recolours
    // the whole roll once).
    void changed();
    void transactionEnded();

private:
    void noteContentsChange(int position, int charsRemoved, int charsAdded);
    std::optional<UndoRing::Step> applyStep(std::optional<UndoRing::Step> step);
    int viewLine() const { return m_viewLine ? m_viewLine() : 0; }

    QTextDocument *m_document;
    EditHistory m_history;
    std::function<int()> m_viewLine;
    std::function<void(const QString &)> m_showWhole;
    // The text being put in whole, so that noting the change need not copy
    // the whole document back out of it.
    const QString *m_incomingText = nullptr;
    int m_depth = 0;
    bool m_restoring = false;
    bool m_startingUp = false;
    bool m_formatsOnly = false;
};
