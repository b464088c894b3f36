#pragma once
// The base of every flow-chart symbol: its name (which picks its icon), its
// comment and instruction label, state and monitor marks, step count and the
// pins through which wires join symbols; and the virtual operations through
// which the symbol classes produce their program text.
#include "chart/HOXDrawObj.h"

#include "chart/ControllerType.h"

#include <QFont>
#include <QString>

#include <memory>
#include <vector>

class CHOXDoc;
class CHOXPin;

class CHOXSymbol : public CHOXDrawObj {
    KT_DECLARE_SERIAL(CHOXSymbol)
public:
    // The state picks the picture a symbol is drawn with: text import and
    // reading back from the controller mark symbols in error or missing.
    // Stored as a 32-bit word.
    enum State : std::int32_t { kNormal = 0, kError = 2, kMissing = 3 };

    // A pointer or program number that the symbol holds in its document's
    // tables.
    struct HeldNumber {
        enum Kind : std::int32_t { kPointer, kProgram };
        Kind kind = kPointer;
        // A program number's axis selector: 0 X, 1 Y, 2 both axes together.
        std::int32_t axis = axis::kX;
        std::int32_t number = -1;
        // Whether the symbol gives the number back when it goes, as it stands
        // now: a symbol in the error state never took its number, and a
        // number may be shared with another holder.
        bool givesBack = false;
        // Whether the symbol can take another number of the kind when its
        // own is taken; a number written in the symbol's own text cannot.
        bool renumbers = true;

        bool IsUsedIn(const CHOXDoc& doc) const;
        void MarkIn(CHOXDoc& doc) const;
        void FreeIn(CHOXDoc& doc) const;
        // Whether the table has a number of this kind (and axis) to spare.
        bool HasFreeIn(CHOXDoc& doc) const;
    };

    // For loading.
    CHOXSymbol();
    // A new symbol of 64 by 32 units with its top-left corner at the point.
    CHOXSymbol(CPoint topLeft, CHOXWnd* wnd);
    ~CHOXSymbol() override;

    void Serialize(CArchive& ar) override;
    int GetObjectType() const override { return objtype::kSymbol; }
    void Draw(CDC* pDC) override;
    // Gives back the numbers the symbol holds in the document (those it
    // gives back, GetHeldNumbers); the caller keeps the object (for undo), so
    // this answers false.
    bool Remove() override;
    void OnLButtonDown(CHOXView* view, UINT flags, CPoint point) override;
    void OnLButtonUp(CHOXView* view, UINT flags, CPoint point) override;
    void OnOpen(UINT flags, CPoint point) override {}
    void OnMouseMove(CHOXView* view, UINT flags, CPoint point) override;
    void MoveTo(const CRect& position, CHOXView* view) override;
    void SetWnd(CHOXWnd* wnd) override;

    virtual void CreatePins();
    // Takes every pin away; the wire of each is taken out of the chart and
    // handed to the window's undo store.
    virtual void DeletePins();
    virtual void UpdateText() {}
    virtual QString GetCode() { return QString(); }
    // 0 complete, 1 incomplete or invalid, 2 uses an invalid file register.
    virtual int GetErrorState() { return 0; }
    virtual void CalcSteps() {}
    virtual void AssignNewNumber();
    virtual int GetMcodeMode() { return 0; }
    virtual int GetMcode() { return 1; }
    // Draws the label left of the symbol.
    virtual void PrintText(CDC* pDC);
    // The pointer and program numbers the symbol holds. Removing, undoing,
    // redoing, loading and deleting a chart give them back and take them
    // again through this alone; a symbol that holds none answers nothing.
    virtual std::vector<HeldNumber> GetHeldNumbers() const { return {}; }
    // The program number among those the symbol holds (a START's), with its
    // axis; false when it holds none.
    bool GetHeldProgramNumber(std::int32_t* axis, std::int32_t* number) const;
    // The pointer number the symbol holds or refers to, -1 for none. A
    // POINTER shares its number with the node on the wire that leaves it:
    // the wiring and the NODE dialog keep the two the same through these.
    virtual std::int32_t GetPointerNumber() const { return -1; }
    virtual void SetPointerNumber(std::int32_t number) {}
    // A paste or a drop puts a START on the axis the target's controller
    // type runs (0 X, 1 Y, 2 both together) before it takes a number of that
    // axis; other symbols have no axis.
    virtual void SetAxis(std::int32_t axis) {}
    // A dropped symbol that holds no number of the document's: a copy starts
    // afresh, a moved symbol stays as it was.
    virtual void SettleAfterDrop(bool moved)
    {
        if (!moved) AssignNewNumber();
    }
    // A JUMP is told whether a conditional jump's side exit leads into it
    // (0) or not (1); other symbols ignore it.
    virtual void SetCaptionMode(std::int32_t mode) {}

    const QString& GetSymbolName() const { return m_strSymbolName; }
    const QString& GetComment() const { return m_strComment; }
    void SetComment(const QString& comment) { m_strComment = comment; }
    std::int32_t GetDisplayComment() const { return m_nDisplayComment; }
    void SetDisplayComment(std::int32_t display) { m_nDisplayComment = display; }
    const QString& GetLabel() const { return m_strLabel; }
    std::int32_t GetDisplayContents() const { return m_nDisplayContents; }
    void SetDisplayContents(std::int32_t display) { m_nDisplayContents = display; }
    std::int32_t GetState() const { return m_nState; }
    void SetState(std::int32_t state) { m_nState = state; }
    std::int32_t GetMonitorMark1() const { return m_nMonitorMark1; }
    std::int32_t GetMonitorMark2() const { return m_nMonitorMark2; }
    std::int32_t GetMonitorMark3() const { return m_nMonitorMark3; }
    void SetMonitorMark1(std::int32_t mark) { m_nMonitorMark1 = mark; }
    void SetMonitorMark2(std::int32_t mark) { m_nMonitorMark2 = mark; }
    void SetMonitorMark3(std::int32_t mark) { m_nMonitorMark3 = mark; }
    // 0 flow-control symbol, 1 positioning code, 2 function instruction.
    std::int32_t GetCategory() const { return m_nCategory; }
    std::int32_t GetSteps() const { return m_nSteps; }

    const std::vector<std::unique_ptr<CHOXPin>>& GetPins() const { return m_pins; }
    int GetPinCount() const { return static_cast<int>(m_pins.size()); }
    CHOXPin* GetPin(int i) const;
    void SetPinCount(int n);
    void SetPin(int i, std::unique_ptr<CHOXPin> pin);
    // The symbol's top-left corner plus the pin's offset; (0, 0) without the
    // pin.
    CPoint GetPinPosition(int i) const;
    // The free pin whose catch area holds the point; -1 (after a message)
    // when there is none.
    int FindFreePinAt(CPoint point);
    // Whether the pin is a side exit (kind CHOXPin::kSideExit): a wire that
    // leaves there jumps.
    bool IsSideExitPin(int i) const;
    // Whether any of the symbol's pins is one.
    bool HasSideExit() const;
    bool GetLinkedSymbolId(int i, DWORD* id) const;
    CHOXSymbol* GetLinkedSymbol(int i) const;
    bool GetTargetIdAt(int i, DWORD* id) const;
    bool IsPinWireToNode(int i) const;
    void ClearPinLinks();
    void RenumberWireNode(int n);

    // Drawing parts.
    CPoint GetCommentOrigin() const;
    CPoint GetLabelOrigin(CDC* pDC) const;
    void DrawBody(CDC* pDC);
    // The pin pictures; a symbol whose picture shows its pins draws none.
    virtual void DrawPins(CDC* pDC);
    void DrawComment(CDC* pDC);
    // The font of the text beside symbols and nodes.
    static QFont LabelFont();

protected:
    // How far the catch areas of the top and bottom pins stop short of the
    // right edge, where a side pin catches instead.
    virtual std::int64_t GetSidePinInset() const { return 0; }
    // State, marks, display flags and texts of a new symbol, then UpdateText.
    void Init();

    QString m_strSymbolName;
    QString m_strComment;
    std::int32_t m_nDisplayComment = 1;
    QString m_strLabel;
    std::int32_t m_nDisplayContents = 1;
    std::int32_t m_nState = kNormal;
    std::int32_t m_nMonitorMark1 = 0;
    std::int32_t m_nMonitorMark2 = 0;
    std::int32_t m_nMonitorMark3 = 0;
    std::int32_t m_nCategory = 0;
    std::int32_t m_nSteps = 0;
    std::vector<std::unique_ptr<CHOXPin>> m_pins;
};
