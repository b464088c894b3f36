#pragma once
// One read of the program held by the controller, and the rebuild of flow
// charts from it when no document on disk holds that program. The rebuild
// walks the statement list once, in order: labels open chart windows with
// their heads, flow statements become flow symbols (a conditional jump with
// a JUMP on its side exit), positioning and function statements and
// stand-alone M codes become their symbols, and everything else goes
// verbatim into program-in-text blocks where it stood, refused statements in
// the error state. What a symbol writes itself folds into it: the addressing
// and compensation lines before a motion, the end check after a linear or
// circular motion, the relays around a drive to zero. Symbols stand in one
// column, each wired to the one before it. Where a program runs into a label
// the rebuild adds a JMP (before a pointer) or an end, and it fills the
// document's step map for monitoring.
//
// The read itself (ReadFromController and its steps) talks to the
// controller; it is defined with the online code, so this header names the
// link and the progress window only by declaration.
#include "convert/HOXInstrParser.h"
#include "chart/ControllerType.h"
#include "platform/Geometry.h"
#include "platform/Object.h"
#include "symbols/operand/HOXCompSetting.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class CCommMan;
class CHOXDoc;
class CHOXFlowCJump;
class CHOXFlowWnd;
class CHOXProgressMsgDlg;
class CHOXSymbol;
class CHOXWaitCursor;
class CHOXWnd;

class CHOXProgReader : public CObject {
public:
    // The checker works on the document's parameter set and accepts every
    // data register the controller can address.
    explicit CHOXProgReader(CHOXDoc* doc);
    ~CHOXProgReader() override;

    // ---- The read from the controller ----
    // Reads the controller's type, file name, program and parameters, then
    // takes the matching document file or rebuilds the program into a new
    // document: 1 when a document stands at the end, 0 otherwise. Every
    // message is shown inside; the port and the progress window are closed
    // and the arrow is back whatever way it ends. The document the reader
    // was made with only lends its port name: the read ends in another one.
    int ReadFromController();
    // The parameter blocks into the document (X, the common block, then Y
    // on a two-axis model): 1, or 0 after the failure's message with the
    // port closed and nothing stored from the failed block.
    int ReadParams();
    // A two-axis controller whose labels carry no axis letter runs both axes
    // together: the type read becomes the interpolating type.
    void PreScanLabels();
    // Whether the controller's file name may be looked for in the document
    // directory: a plain name, no folder, no wildcard, no control character.
    static bool IsPlainFileName(const QString& name);

    // ---- What the read hands over ----
    // Upper case, cut after each ";" (the ";" kept), left-trimmed; each NOP
    // that begins a piece becomes a statement of its own.
    void SplitStatements(const QString& text);
    // A new list is examined from its first statement.
    void SetStatements(const QStringList& statements);
    const QStringList& GetStatements() const { return m_statements; }
    void SetControllerType(std::int32_t type) { m_controllerType = type; }
    std::int32_t GetControllerType() const { return m_controllerType; }
    // The document the charts go into; null after a comparison closed it.
    CHOXDoc* GetDocument() const { return m_pDoc; }
    // Reset by the caller before each read; a JMP the rebuild inserts counts
    // as built only, so fewer read than built means instructions were added.
    void ResetJumpCounts() { m_jumpsRead = m_jumpsBuilt = 0; }
    std::int32_t GetJumpsRead() const { return m_jumpsRead; }
    std::int32_t GetJumpsBuilt() const { return m_jumpsBuilt; }

    // ---- The rebuild ----
    // Builds the charts of the whole statement list into the document, then
    // updates its views. Stops, keeping what it made, when the document
    // takes no further window or has no symbol or wire id left (the frame or
    // the document has said so).
    void GenerateFlowCharts();
    bool IsStopped() const { return m_stopped; }

    // Opens the document file (closing the open document first) and answers
    // true when it is of the controller type read and its program,
    // regenerated, equals the program read but for blanks; the file then is
    // the reader's document. Otherwise the opened document is closed again
    // and the reader has none. When the user cancels the question to save
    // the open document, nothing changes and the answer is false. `opened`,
    // when given, tells whether the file opened at all.
    bool CompareWithDocument(const QString& path, const QString& program, bool* opened = nullptr);
    // The document's program text without questions; empty when the
    // conversion stops.
    static QString GenerateDocumentProgram(CHOXDoc* doc);
    static QString StripBlanks(const QString& text);

    // ---- Statement families: whole names, case-sensitive ----
    static bool IsNop(const QString& statement);
    static bool IsFlowInstruction(const QString& name);
    static bool IsSequenceInstruction(const QString& name);
    // A positioning SET (cod92) and INC (cod91) apart from the function
    // instructions SET and INC (FNC24).
    static bool IsPositioningInstruction(const QString& alternate, const QString& name);
    static bool IsFunctionInstruction(const QString& name);
    static bool IsCompareOrCondJump(const QString& name);

    // ---- Labels and call targets ----
    void ScanCallTargets();
    bool IsCallTarget(int number) const;
    // "O" program numbers (type 301, axis 0 X, 1 Y, 2 none; number 100 is
    // the subtask) and "P" pointers (303 SUBROUTINE when a CALL names it,
    // else 304 POINTER). Numbers that do not fit are no label.
    bool ParseLabelStatement(QString label, int& number, int& type, int& axis, int& subtask);
    static bool IsAllDigits(const QString& text);
    // Every character a digit, at least one, and the value within the
    // 32-bit range.
    static bool ReadDecimal(const QString& digits, std::int32_t& value);

    // ---- Builders; each takes its symbol's id first and stops the rebuild
    // when there is none ----
    // END, JUMP, CALL, RET or a completed conditional jump, added to the
    // window at the place for the next symbol; null for anything else, for
    // a conditional jump that could not be completed, or when stopped.
    CHOXSymbol* BuildFlowSymbol(CHOXWnd* wnd, const QString& name, const QString& alternate, const QString& operands);
    // The END (added: state 3, no end kind) or, after a SUBROUTINE head, the
    // RET that closes the chart.
    CHOXSymbol* BuildProgramEnd(CHOXWnd* wnd, int headKind, int added);
    // A new empty chart window ("Flow Chart" and the first free number, or
    // "Subtask"); null at the window limit.
    CHOXFlowWnd* OpenNewChartWindow(int subtask);
    // The START placeholder (state 3, no number) of a chart opened without a
    // label; not yet in the window.
    std::unique_ptr<CHOXSymbol> CreateUnnumberedStart(CHOXWnd* wnd);
    // Places the pending block as a program-in-text symbol; null when
    // stopped.
    CHOXSymbol* FlushProgramText(CHOXWnd* wnd);
    // Grows the base sheet down to the place for the next symbol.
    void FitBaseSheet(CHOXWnd* wnd);
    // Look-ahead: the next statement of the list, or false at its end.
    bool NextStatement(QString& statement);
    // What the last completion took: the statements (each with a line
    // feed) and their count, including one it gave back; the operand text
    // of its CJ or CJN.
    const QString& GetConsumedText() const { return m_consumedText; }
    int GetConsumedCount() const { return m_consumedCount; }
    const QString& GetCjOperand() const { return m_cjOperand; }
    // START (301), POINTER (304) or SUBROUTINE (303) at the place for the
    // next symbol, in the error state when its number is taken already; not
    // yet in the window. Null for another type, or when stopped.
    std::unique_ptr<CHOXSymbol> BuildEntrySymbol(CHOXWnd* wnd, int number, int type, int axis);
    // 1 complete, 0 a statement it took was refused, 2 the statements do not
    // form a conditional jump of the kind (0 bit condition, 1 compare, 2
    // zone compare).
    int CompleteConditionalJump(CHOXFlowCJump* cjump, CHOXWnd* wnd, const QString& text, int kind);
    // Wires `to` below `from`; from a conditional jump also the JUMP on its
    // side exit, placed beside `to`.
    void ConnectSymbols(CHOXFlowWnd* wnd, CHOXSymbol* from, CHOXSymbol* to);

    // Where a chart's first symbol stands: the middle of its sheet, 10 below
    // its top.
    static CPoint StartPosition(const CHOXWnd* wnd);

    // ---- Positioning codes and function instructions ----
    // Names as the checker leaves them (code name and mnemonic, instruction
    // word and FNC name), compared in upper case; operands as the checker
    // leaves them. Each returns the symbol added at the place for the next
    // symbol, or null: the statement folds into a neighbour's symbol, names
    // no row, or no id is left (the rebuild then stops). The fifth text is
    // not used.
    CHOXSymbol* BuildPositioningSymbol(CHOXWnd* wnd, QString codeName, QString mnemonic, QString operands,
                                       QString unused = QString());
    CHOXSymbol* BuildFunctionSymbol(CHOXWnd* wnd, QString word, QString fncName, QString operands,
                                    QString unused = QString());
    static bool IsPositioningRow(const QString& codeName, const QString& mnemonic);
    static bool IsFunctionRow(const QString& word, const QString& fncName);

private:
    // ---- The steps of the read ----
    // Steps 1 to 12; ReadFromController closes what they leave open.
    int Read();
    // Messages of the read come with the arrow; the wait cursor returns
    // after them while the read goes on.
    int Say(const QString& text, UINT style, const QString& detail = QString());
    int Say(UINT message, UINT style, const QString& detail = QString());
    void ShowCommError(int code);
    void ClosePort();
    void CloseProgress();
    // Step 7: 0 no usable name, 1 not in the directory, 2 found there but
    // not matching (`found` its path), 3 found and taken.
    int DecideOnFile(const QString& name, const QString& program, QString& found);
    // Step 8: the user's choice of another file. 1 a file was taken, 0 go
    // on generating, -1 the read stops.
    int ChooseFile(int state, const QString& name, const QString& found, const QString& program);
    // Steps 9 and 10: the new document of the type read, with its path;
    // false when none could be made.
    bool MakeNewDocument(const QString& path);
    // The parameters into the document and the port closed: 1, or 0.
    int FinishParameters();
    // The file of the directory whose name, lower-cased, is the name: the
    // exact one first, else the first in sorted order; empty when none.
    static QString FindInDirectory(const QString& directory, const QString& name);

    // The link and the progress window belong to one read; declared only,
    // so they go through deleters defined with them.
    struct OnlineDeleter {
        void operator()(CCommMan* comm) const;
        void operator()(CHOXProgressMsgDlg* progress) const;
    };
    std::unique_ptr<CCommMan, OnlineDeleter> m_pComm;
    std::unique_ptr<CHOXProgressMsgDlg, OnlineDeleter> m_pProgress;
    bool m_portOpen = false;
    // The port the read's link opened, named in the details of its failures.
    QString m_strPort;
    // The read's wait cursor while it runs.
    CHOXWaitCursor* m_pWait = nullptr;
    // Set by ReadParams when a block read differs from what the document
    // held.
    bool m_paramsChanged = false;

    // ---- The walk ----
    void StartWalk();
    // Sets where each statement's steps begin: each statement by its own
    // check (NOP 1, refused 0).
    void ComputeStepAddresses();
    std::int32_t StepAddress(int index) const;
    // Handles statement i; answers the index of the last statement it used.
    int WalkStatement(int i);
    void LabelBranch(int i, int number, int type, int axis, int subtask);
    void SequenceBranch(int i, const QString& statement, const QString& name);
    int FlowBranch(int i, const QString& statement, const QString& name, const QString& alternate,
                   const QString& operands);
    void McodeBranch(int i, const QString& statement, const QString& name);
    // Positioning and function statements become their symbols, after the
    // pending block.
    void InstructionBranch(int i, const QString& statement, const QString& name, const QString& alternate,
                           const QString& operands, bool positioning);
    // Accepted statements no branch takes: verbatim into the pending block,
    // in their place.
    void JoinPendingBlock(const QString& statement);
    void RefusedPath(int i, const QString& statement);
    // Records and wires the symbol the statement built (step accounting and
    // wiring of the walk).
    void WireLastSymbol();
    void FinishText();
    // A chart with a START placeholder when none is open.
    void OpenChartOnDemand();
    // Places the pending block, when there is one, wired below the previous
    // symbol.
    void FlushPending();
    // The pending block before a symbol just built: the block takes its
    // place, the symbol moves below it.
    void PlaceBlockBefore(CHOXSymbol* symbol);
    // JMP followed by m02 or m102: one JUMP with its end.
    int TakeEndAfterJump(int i, CHOXSymbol* jump);
    bool PendingEndsWithBret() const;
    void AddStepRecord(std::int32_t step, const CHOXSymbol* symbol, const CHOXFlowWnd* wnd);
    // Gives the symbol its id, adds it to the window and moves the place for
    // the next symbol down; null (the symbol gone, the rebuild stopped) when
    // no id is left.
    CHOXSymbol* PlaceSymbol(std::unique_ptr<CHOXSymbol> symbol, CHOXWnd* wnd);
    bool TakeSymbolId(std::int32_t& id);
    void Stop() { m_stopped = true; }
    // The pointer number of a JMP or CALL operand ("P" and digits); false
    // when it does not read.
    bool ReadPointerOperand(const QString& operands, std::int32_t& number);
    // The M code of a word "m" and digits (m_mcodeGiven, m_mcodeNumber).
    void ReadMcode(const QString& word);

    // ---- The completion's statements ----
    struct Taken {
        QString name;
        QString alternate;
        QString operands;
        QString text;
        int index = -1;
    };
    // 1 taken and accepted, 0 taken and refused, 2 none left.
    int TakeStatement(Taken& taken);
    // Gives the last statement taken back; always 2.
    int GiveBack(const Taken& taken);
    int CompleteCompare(CHOXFlowCJump* cjump, const QString& text);
    int CompleteZone(CHOXFlowCJump* cjump, const QString& text);
    int CompleteBitCondition(CHOXFlowCJump* cjump, const QString& text);
    // Which of the result bits 0, 1 and 2 the device word names; -1 none.
    static int ResultBitOffset(const QString& device, std::int32_t outputType, std::int32_t number);
    // The first word of an operand text.
    QString FirstWord(const QString& operands);

    // ---- The positioning rows ----
    struct CodeStatement {
        CHOXWnd* wnd = nullptr;
        // The row's own mnemonic in upper case.
        QString mnemonic;
        QString operands;
    };
    using CodeRowBuilder = std::unique_ptr<CHOXSymbol> (CHOXProgReader::*)(const CodeStatement&);
    struct CodeRow {
        // Blank-separated, in upper case; the n-th code name is the n-th
        // mnemonic's.
        const char* mnemonics;
        const char* codeNames;
        CodeRowBuilder build;
    };
    // The row that names the statement, and the row's mnemonic for it;
    // null for none.
    static const CodeRow* FindCodeRow(const QString& codeName, const QString& mnemonic, QString* rowMnemonic);
    std::unique_ptr<CHOXSymbol> BuildDriveRow(const CodeStatement& s);
    std::unique_ptr<CHOXSymbol> BuildZeroReturnRow(const CodeStatement& s);
    std::unique_ptr<CHOXSymbol> BuildSetAddressRow(const CodeStatement& s);
    std::unique_ptr<CHOXSymbol> BuildAddressingRow(const CodeStatement& s);
    std::unique_ptr<CHOXSymbol> BuildInterruptRow(const CodeStatement& s);
    std::unique_ptr<CHOXSymbol> BuildLinearRow(const CodeStatement& s);
    std::unique_ptr<CHOXSymbol> BuildCircularRow(const CodeStatement& s);
    std::unique_ptr<CHOXSymbol> BuildEndCheckRow(const CodeStatement& s);
    std::unique_ptr<CHOXSymbol> BuildTimerRow(const CodeStatement& s);
    std::unique_ptr<CHOXSymbol> BuildCompensationRow(const CodeStatement& s);
    std::unique_ptr<CHOXSymbol> BuildSetrDrvrRow(const CodeStatement& s);
    // The symbol of a SET or RST, or null inside a zero-return sequence.
    std::unique_ptr<CHOXSymbol> BuildSetRstRow(CHOXWnd* wnd, const QString& word, const QString& operands);

    // ---- Operand words of the positioning codes ----
    struct LinearOperands {
        std::int32_t xUsed = 0, yUsed = 0, speedUsed = 0;
        QString x, y, speed;
    };
    struct DriveOperands {
        std::int32_t xUsed = 0, yUsed = 0, xSpeedUsed = 0, ySpeedUsed = 0;
        QString x, y, xSpeed, ySpeed;
    };
    struct CircularOperands {
        std::int32_t xUsed = 0, yUsed = 0, iUsed = 0, jUsed = 0, rUsed = 0, speedUsed = 0;
        QString x, y, speed, i, j, r;
    };
    struct InterruptOperands {
        std::int32_t isX = 0;
        QString position, speed1, speed2;
    };
    struct SetAddressOperands {
        std::int32_t xUsed = 0, yUsed = 0;
        QString x, y;
    };
    struct CompensationOperands {
        char letter = 0;
        std::int32_t used1 = 0, used2 = 0;
        QString text1, text2;
    };
    // The operand words, one after the other: its letter and the value text.
    QStringList OperandWords(const QString& operands);
    static void SplitOperandWord(const QString& word, QString& rest, QChar& letter);
    // Each reader also takes the statement's M code (ReadMcode).
    void ReadLinearOperands(const QString& operands, LinearOperands& out);
    void ReadDriveOperands(const QString& operands, DriveOperands& out);
    void ReadCircularOperands(const QString& operands, CircularOperands& out);
    void ReadInterruptOperands(const QString& operands, InterruptOperands& out);
    void ReadSetAddressOperands(const QString& operands, SetAddressOperands& out);
    void ReadCompensationOperands(const QString& operands, CompensationOperands& out);

    // ---- Folding into neighbours ----
    // A later statement as the checker takes it; `accepted` false when there
    // is none or the checker refuses it. The index is left where it was.
    struct Neighbour {
        bool accepted = false;
        QString name;
        QString mnemonic;
        QString operands;
    };
    Neighbour LookAhead(int ahead);
    // The next statement is a CHK that the linear or circular symbol can
    // write as its end check.
    bool NextIsEndCheck();
    // Whether the addressing statement folds into the motion after it, and
    // whether a compensation between them folds with it.
    bool AddressingFolds(bool& withCompensation);
    // Whether a compensation of the kind, with its operands, folds into the
    // motion statement.
    bool CompensationFolds(const QString& kind, const QString& operands, const Neighbour& motion);
    // Whether SET of the device, the drive to zero and the RST after it form
    // a zero-return sequence; the axis of its relay.
    bool OpensZeroReturn(const QString& device, std::int32_t& axis);
    template <class T>
    void ApplyPendingAddressing(T& symbol);
    template <class T>
    void ApplyPendingCompensation(T& symbol);
    // The current statement goes into the symbol of the next one, whose
    // steps then begin with it.
    void MarkFoldedForward();

    CHOXDoc* m_pDoc;
    QStringList m_statements;
    CHOXInstrParser m_checker;
    std::int32_t m_controllerType = 1;
    std::int32_t m_jumpsRead = 0;
    std::int32_t m_jumpsBuilt = 0;

    // ---- State of the rebuild ----
    int m_statementIndex = 0;
    CPoint m_position;
    CHOXSymbol* m_lastSymbol = nullptr;
    QString m_pendingText;
    bool m_pendingError = false;
    QString m_bitCondition;
    QString m_consumedText;
    QString m_cjOperand;
    QString m_cjTarget;
    std::array<std::int32_t, 256> m_callTargets{};
    std::int32_t m_mcodeNumber = 0;
    std::int32_t m_mcodeGiven = 0;
    std::int32_t m_flowOpen = 0;
    std::int32_t m_flowEnded = 1;
    std::int32_t m_stepCounter = 0;
    int m_consumedCount = 0;

    // ---- Locals of the walk, shared by its branches ----
    CHOXFlowWnd* m_window = nullptr;
    CHOXSymbol* m_previous = nullptr;
    DWORD m_lastWiredId = 0xFFFFFFFFu;
    bool m_chainOpen = false;
    int m_headKind = 0;
    QString m_nopText;
    QString m_sequenceText;
    // Where each statement's steps begin; one entry more than statements.
    std::vector<std::int32_t> m_stepAddress;
    // The first step of the symbol the current statement built: its first
    // statement's (a conditional jump's first BRET).
    std::int32_t m_symbolStep = 0;
    // Where the jump line of the last completed conditional jump begins,
    // and its copy beside m_cjTarget: the step of its side-exit JUMP.
    std::int32_t m_cjJumpStep = 0;
    std::int32_t m_cjTargetStep = 0;
    // The accepted BRET that ends the pending block, as read, and its index.
    QString m_pendingBretLine;
    int m_pendingBretIndex = -1;
    bool m_stopped = false;

    // ---- Folding of positioning and relay statements ----
    // The current (addressing or compensation) statement folds into the
    // next motion statement.
    std::int32_t m_mergePending = 0;
    bool m_addressingPending = false;
    bool m_incremental = false;
    bool m_compPending = false;
    CHOXCompSetting m_pendingComp;
    // The last linear or circular symbol took the CHK after it.
    bool m_endCheckTaken = false;
    // A zero-return sequence is open: the drive to zero returns on the axis
    // of its relay (0 X, 1 Y), and the RST at that index closes it.
    std::int32_t m_zeroReturnSeq = 0;
    std::int32_t m_zeroReturnAxis = axis::kX;
    int m_zeroReturnEnd = -1;
    // The first statement folded into the symbol still to come; -1 none.
    int m_foldStart = -1;
};
