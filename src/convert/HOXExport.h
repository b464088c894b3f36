#pragma once
// Turns all flow charts of a document into the controller's program text.
// Four checks run over every symbol first; then each window is walked from
// its START, SUBROUTINE and POINTER symbols along the wires, each symbol
// giving its own text, with the pointer labels and jumps that the wiring
// implies. Plain mode gives the bare program and rebuilds the document's
// step map (writing, verifying, comparing); listing mode gives the
// "[Program]" section of a text file, each line with its step address and
// line number, while a progress window follows the work.
//
// The converter knows the symbols only through the symbol base and their
// type codes, so every symbol class converts as soon as it exists.
#include "convert/HOXInstrParser.h"
#include "platform/Object.h"
#include "platform/Types.h"

#include <QString>

#include <array>
#include <cstdint>
#include <memory>
#include <unordered_set>
#include <vector>

class CHOXConnect;
class CHOXDoc;
class CHOXExportProgressDlg;
class CHOXFlowWnd;
class CHOXSymbol;

class CHOXExport : public CObject {
public:
    explicit CHOXExport(CHOXDoc* doc);
    ~CHOXExport() override;

    // True when the program text is ready, possibly with a warning in
    // `message`; false when stopped: `message` says why, *severity is 1 for
    // an error and 0 for a warning the user declined (or a window the name
    // list names but the document lacks, with no message), *symbol the
    // symbol concerned or null. On true the three hold the last warning met;
    // callers initialise them. With `ask` warnings are put to the user, else
    // they never stop the conversion.
    bool GenerateProgram(QString& message, bool listing, int* severity, CHOXSymbol** symbol, bool ask);
    QString GetProgramText() const { return m_strProgram; }

    // Selects the symbol in its window's view and brings the view's frame to
    // the front, scrolled so that the symbol comes to the middle.
    void ShowSymbol(CHOXSymbol* symbol);
    // text + "\nDo you want to continue ?": Yes goes on (true); No shows the
    // symbol and answers false.
    bool AskContinue(CHOXSymbol* symbol, const QString& text);

    // Writes the text file of an export: after the program text of listing
    // mode, asks (Save Select when the document is modified, then the file
    // name) and writes it. False when cancelled or not written (it says
    // why).
    bool ExportToTextFile();
    // The file's four parameter sections, from the document.
    void FormatParameters();
    const QString& GetParameterText() const { return m_strParameters; }
    // The name of a parameter number in the file, and its value kind: -1 a
    // plain value, 0 an X device, 1 a Y device.
    static QString GetParamName(UINT number, int* kind);
    // The text the file holds: file name, parameters, program.
    QString GetFileText() const;

private:
    // Each check stops at the first symbol that fails (the windows in the
    // map's order, the objects in their map's) and names it.
    bool CheckSymbolErrors(CHOXSymbol** symbol, QString& message);
    bool CheckConnections(CHOXSymbol** symbol, QString& message);
    // 0 all complete, 1 one without data (stops), 2 an invalid file register
    // (the last such symbol).
    int CheckSymbolData(CHOXSymbol** symbol, QString& message);
    // A CALL or JUMP to a number nothing holds, or program text with such a
    // jump or call.
    bool CheckJumpPointers(CHOXSymbol** symbol, QString& message);
    // Whether the pin's wire leads somewhere the walk can write.
    bool IsPinConnected(const CHOXSymbol* symbol, int index, CHOXFlowWnd* window) const;

    using LabelFlags = std::array<bool, 256>;
    void GenerateFlow(CHOXSymbol* start, CHOXFlowWnd* window, LabelFlags& labels, std::vector<DWORD>& visited);
    // Writes the symbol's own text; steps 1 to 5 of a symbol's walk.
    void WriteSymbol(CHOXSymbol* symbol, CHOXFlowWnd* window, std::vector<DWORD>& visited);
    // The walk of one output pin; the symbol to walk next, or null.
    CHOXSymbol* FollowPin(CHOXSymbol* symbol, int index, CHOXFlowWnd* window, LabelFlags& labels,
                          std::vector<DWORD>& visited);
    void WriteNodeLabel(CHOXConnect* wire, CHOXFlowWnd* window, LabelFlags& labels);
    bool IsTargetLabelWritten(CHOXSymbol* target, CHOXFlowWnd* window, const LabelFlags& labels) const;
    // Appends a line (or lines) of code to both texts, in listing mode as
    // listing lines.
    void AppendCode(const QString& code);
    QString FormatListing(const QString& code);
    void AddStepRecord(CHOXSymbol* symbol, const CHOXFlowWnd* window);
    void StepProgress(int steps);
    void CloseProgress();
    // The unreached symbols of a window: false when the user stops.
    bool CheckUnreached(CHOXFlowWnd* window, std::vector<DWORD>& visited, QString& message, int* severity,
                        CHOXSymbol** symbol, bool ask, bool& asked);

    CHOXDoc* m_pDoc;
    QString m_strProgram;
    QString m_strParameters;
    QString m_strCurrent;
    std::int32_t m_nLineNumber = 0;
    std::int32_t m_nStepAddress = 0;
    bool m_bListing = false;
    bool m_bMainProgramOpen = false;
    std::unique_ptr<CHOXExportProgressDlg> m_pProgress;
    CHOXInstrParser m_checker;
    // The symbols of the window walked so far.
    std::unordered_set<const CHOXSymbol*> m_walked;
};
