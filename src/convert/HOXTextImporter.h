#pragma once
// Reads a text file written by the export back into a document: its four
// parameter sections set the document's parameters, and its program becomes
// flow charts again, one chart per program or pointer block, each a column
// of flow symbols, conditional jumps and program-in-text blocks joined by
// wires. Nothing of the program is dropped: what cannot be built as a
// symbol stays text, marked as an error when the checker refused it.
//
// The whole file is held as lines, each with its number in the file, so
// that the closing message can name the lines it is about.
#include "convert/HOXInstrParser.h"
#include "platform/Geometry.h"
#include "platform/MDI.h"
#include "platform/Object.h"
#include "platform/Types.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class CHOXConnect;
class CHOXDoc;
class CHOXExportProgressDlg;
class CHOXFlowCJump;
class CHOXFlowJump;
class CHOXFlowWnd;
class CHOXSymbol;

class CHOXTextImporter : public CObject {
public:
    // Section kinds of IsSectionHeader.
    enum Section : int { kSystemSetup = 0, kSubtask = 1, kControlSpec = 2, kIoControl = 3, kProgram = 4 };
    // Results of ReadConditionalJump.
    enum CJumpRead : int { kCJumpRefused = 0, kCJumpRead = 1, kCJumpNotForm = 2 };
    // A chart holds at most this many windows.
    static constexpr int kMaxWindows = 500;
    // The column of a chart: its x, the room above its first symbol and the
    // distance from one symbol to the next.
    static constexpr int kColumnX = 137;
    static constexpr int kColumnTop = 32;
    static constexpr int kRow = 70;
    // How far right of the column a conditional jump's JUMP stands.
    static constexpr int kBranchOffset = 100;

    // The document to fill and the lines of the file as read (line ends
    // removed); the lines are taken in at once, with the progress window
    // standing.
    CHOXTextImporter(CHOXDoc* doc, const QStringList& fileLines);
    ~CHOXTextImporter() override;

    // The parameter part: true when read to its end, false when the lines
    // ran out inside it. What counts is the parameter-error flag, which the
    // closing message reports.
    bool SetParameters();
    // The program part: the charts and the closing message.
    void GenerateFlowCharts();

    // ---- Lines ----
    void ReadAllLines(const QStringList& fileLines);
    // The next line without its leading blanks and line prefix; false when
    // none is left.
    bool GetNextLine(QString& line);
    // Drops everything up to and including the first ":" (a step and line
    // number) and the blanks after it.
    static void StripLinePrefix(QString& line);
    // The last line taken is taken again next time.
    void UnreadLine();
    int GetLineCount() const { return static_cast<int>(m_lines.size()); }
    int GetLineIndex() const { return m_nLineIndex; }

    // ---- The parameter part ----
    static bool IsSectionHeader(const QString& line, int kind);
    // Cuts the first blank-separated word off the line; false when empty.
    static bool SplitWord(QString& line, QString& word);
    // Cuts the text before the first "[" off the line; false when empty.
    static bool SplitAtBracket(QString& line, QString& name);
    // Cuts "[value]" off the line: the digits, and whether a "-" stood
    // before them; parameters of X and Y devices need their letter.
    static bool ParseParamValue(QString& line, QString& digits, UINT number, bool* negative);
    static bool IsXDeviceParameter(UINT number);
    static bool IsYDeviceParameter(UINT number);

    // ---- Charts ----
    // Remembers where the program part starts and which pointer numbers
    // some CALL names.
    void ScanCallTargets();
    // A program label ("O", "OX" or "OY" and digits: START) or a pointer
    // label ("P" and digits: SUBROUTINE when called, else POINTER).
    bool ParseLabel(QString text, int* symbolType, int* axisKind, std::int32_t* number, bool* subtask) const;
    // One or more decimal digits and nothing else.
    static bool IsAllDigits(const QString& text);
    // A new, empty window for a chart; null when none could be made.
    CHOXFlowWnd* CreateChartWindow(bool subtask);
    CHOXSymbol* CreateStartSymbol(CHOXFlowWnd* wnd, int symbolType, std::int32_t number, int axisKind);
    CHOXSymbol* CreateUnlabelledStart(CHOXFlowWnd* wnd, int symbolType, std::int32_t number);
    // The RET or END that closes a chart the text left open.
    CHOXSymbol* AddChartEnd(CHOXFlowWnd* wnd, int firstType);
    bool HasSubtaskWindow() const;
    void FitBaseToSymbols(CHOXFlowWnd* wnd);
    void ShowResult();

    // ---- Statements ----
    static bool IsFlowInstruction(QString name);
    static bool IsSequenceInstruction(QString name);
    static bool IsConditionalJump(QString name);
    // The flow symbol of an instruction, placed at the cursor; null when a
    // conditional jump's lines do not have its form, or no id was left.
    CHOXSymbol* CreateFlowSymbol(CHOXFlowWnd* wnd, QString primary, QString alternate, QString operands);
    int ReadConditionalJump(CHOXFlowCJump* cjump, QString operands, QString condition, int form);
    CHOXSymbol* CreateProgTextSymbol(CHOXFlowWnd* wnd, const QString& text);
    // The wire from one symbol to the next; a conditional jump gets its
    // JUMP beside the next symbol.
    void ConnectSymbols(CHOXFlowWnd* wnd, CHOXSymbol* from, CHOXSymbol* to);

    // ---- State, for the callers and the tests ----
    bool HasParameterError() const { return m_bParamError; }
    bool HasErrorSymbols() const { return m_bErrorSymbols; }
    bool IsCallTarget(int n) const { return n >= 0 && n < 256 && m_calledPointers[std::size_t(n)] != 0; }
    std::int32_t GetJumpsRead() const { return m_nJumpsRead; }
    std::int32_t GetJumpsBuilt() const { return m_nJumpsBuilt; }
    // The rebuild stopped short: the window limit, or no id left.
    bool HasStopped() const { return m_bStopped; }
    CPoint GetCursor() const { return m_cursor; }
    void SetCursor(CPoint cursor) { m_cursor = cursor; }
    // The lines the closing message names: parameter lines first.
    QString GetDetails() const;
    CHOXExportProgressDlg* GetProgress() const { return m_pProgress.get(); }

    // A decimal number as atoi reads it (leading blanks, a sign, digits up
    // to the first other character), but only when at least one digit
    // stands there and the value fits 32 bits.
    static std::optional<std::int32_t> LeadingNumber(const QString& text);

private:
    struct Line {
        QString text;
        std::int32_t number = 0;
    };

    bool CheckLine(const QString& line, QString* error = nullptr);
    // Progress: the caption shown, one step, the bar to its end and closed.
    void ShowProgressText(UINT stringId);
    void StepProgress();
    void CloseProgress();
    // Gives the symbol an id and puts it into the window; false (the symbol
    // gone with what it held, the rebuild stopped) when no id is left.
    bool PlaceSymbol(CHOXFlowWnd* wnd, std::unique_ptr<CHOXSymbol> symbol);
    void StopAtIdLimit() { m_bStopped = true; }

    // The parameter part.
    bool ReadSection(int kind, QString& line, bool* endedAtHeader);
    void SetParameterLine(const QString& line, int kind);
    bool SetOneValue(QString& rest, UINT number, int axis, int kind);
    static bool IsPassedOver(int kind, std::int32_t number);
    static bool IsLaterHeader(const QString& line, int kind);
    bool PartRanOut();

    // The program part.
    void FindProgramEnd();
    // Whether a line other than NOP is still to come.
    bool HasMoreStatements();
    void ReadCharts();
    // The statements of one chart up to its end; false when the lines ran
    // out (the closing message has been shown) or the rebuild stopped.
    bool ReadChart(CHOXFlowWnd* wnd, CHOXSymbol* first);
    bool CloseChartAtLabel(CHOXFlowWnd* wnd, CHOXSymbol*& last, int firstType, int labelType, std::int32_t number);
    void CloseChartAtEnd(CHOXFlowWnd* wnd, CHOXSymbol*& last, int firstType);
    // Places the pending text as a block wired from the last symbol.
    bool PlacePending(CHOXFlowWnd* wnd, CHOXSymbol*& last);
    // A flow instruction's symbol with the pending text before it.
    bool TakeFlowStatement(CHOXFlowWnd* wnd, CHOXSymbol*& last, const QString& primary, const QString& alternate,
                           const QString& operands, bool* chartEnded);
    void TakeEndAfterJump(CHOXSymbol* jump);
    // The conditional jump's side exit: the JUMP to its target beside the
    // next symbol and the wire to it; false when no wire id was left.
    bool AttachJumpBranch(CHOXFlowWnd* wnd, CHOXSymbol* cjump, CHOXConnect* wire, CHOXSymbol* next, CHOXFlowJump* jump);
    // The word after a pointer's "P": the number, or -1.
    std::int32_t PointerNumberOf(const QString& operands);
    bool IsValidPointer(std::int32_t number) const;
    // The result bit of a compare or zone output read by a line: offset 0,
    // 1 or 2 from the output, -1 for none.
    int ResultBitOffset(const QString& operands, QChar letter, std::int32_t outputType, std::int32_t outputNumber);
    bool ReadOutput(const QString& word, std::int32_t* type, std::int32_t* number) const;
    // A line for ReadConditionalJump: false when none is left.
    bool TakeFormLine(QString& line, bool* passed);

    // The closing message's details.
    void NoteParameterLine(const QString& reason = QString());
    void NoteStatementLine(const QString& reason);
    QString LineDetail(int index, const QString& reason) const;

    CHOXInstrParser m_checker;
    CPoint m_cursor;
    CHOXDoc* m_pDoc;
    QString m_strJumpWord;
    QString m_strCondition;
    std::array<std::int32_t, 256> m_calledPointers{};
    QString m_strConsumed;
    QString m_strPending;
    QString m_strLog;
    std::int32_t m_nProgramStart = 0;
    bool m_bPendingError = false;
    bool m_bErrorSymbols = false;
    bool m_bParamError = false;
    std::vector<Line> m_lines;
    std::int32_t m_nLineIndex = 0;
    std::unique_ptr<CHOXExportProgressDlg> m_pProgress;
    // The charts' windows are made while the progress window stands; the
    // last one made is activated when it goes.
    std::unique_ptr<CMDIFrameWnd::ActivationBatch> m_pActivations;
    QString m_strWiringJumpWord;
    std::int32_t m_nJumpsRead = 0;
    std::int32_t m_nJumpsBuilt = 0;

    // Sequence statements held back: they may be a conditional jump's bit
    // condition.
    QString m_strHeld;
    // The first line past the program part ("[File Register]" or the end).
    std::int32_t m_nLineEnd = 0;
    bool m_bStopped = false;
    QStringList m_parameterDetails;
    QStringList m_statementDetails;
};
