#pragma once
// PROGRAM in TEXT: free program lines that go into the program at the
// symbol's place in the flow. The text lives in the label, every line ending
// with "\n". The pointer labels ("P" and a number) that the text defines are
// held by the symbol in the document's table, so that jumps elsewhere may
// lead to them.
#include "chart/HOXSymbol.h"
#include "platform/WordMap.h"

#include <QString>

#include <cstdint>
#include <functional>

class CHOXInstrParser;

class CHOXFlowProgText : public CHOXSymbol {
    KT_DECLARE_SERIAL(CHOXFlowProgText)
public:
    CHOXFlowProgText();
    // No text, no labels.
    CHOXFlowProgText(CPoint topLeft, CHOXWnd* wnd);

    // The symbol part, the pointer set (count, then key and value of each
    // entry in the set's order), a reserved word. Loading enters the pairs in
    // the order read.
    void Serialize(CArchive& ar) override;
    int GetObjectType() const override { return objtype::kFlowProgText; }
    // The "Program in text" dialog; its OK has settled the labels the
    // symbol holds by then.
    void OnOpen(UINT flags, CPoint point) override;
    // The text without its final line end.
    QString GetCode() override;
    // What the instruction checker counts for the lines it accepts.
    void CalcSteps() override;
    // Its labels are written in its text and cannot be renumbered: when
    // another holder has taken one of them meanwhile, the symbol goes into
    // the error state, like a copy that brings labels along.
    void AssignNewNumber() override;
    // Each line up to its first statement's ";", words one blank apart,
    // left of the symbol.
    void PrintText(CDC* pDC) override;
    // The labels it holds, unless it is in the error state (a copy that
    // brought the labels of its original along holds none of them).
    std::vector<HeldNumber> GetHeldNumbers() const override;

    QString GetText() const { return m_strLabel; }
    // Steps and labels stay as they are.
    void SetText(const QString& text) { m_strLabel = text; }

    bool HasPointerNumber(int number) const { return m_pointers.Contains(number); }
    // The set only; the document's table is the caller's.
    void AddPointerNumber(int number) { m_pointers.SetAt(number, number); }
    void RemovePointerNumber(int number) { m_pointers.RemoveKey(number); }
    // The numbers in the set's order.
    std::vector<std::int32_t> GetPointerNumbers() const { return m_pointers.Keys(); }

    // False when a JMP, CALL, CJ or CJN of the text leads to a pointer
    // number that nothing holds.
    bool CheckJumpTargets();

    // Reads a program text as the step count does: line by line (the part
    // before each "\n", and a last part without one), each checked by
    // `checker`, if any, with the lines before it as its context. `visit`
    // gets each line and whether the checker took it; the walk ends when it
    // returns false.
    using LineVisit = std::function<bool(const QString& line, bool accepted)>;
    static void WalkLines(const QString& text, CHOXInstrParser* checker, const LineVisit& visit);

private:
    // Checks each line with the lines before it as the context; `accepted`
    // is called for every line the checker takes.
    template <class Accepted>
    void CheckLines(Accepted accepted);

    // Key and value are both the number.
    HashOrderMap<std::int32_t, std::int32_t> m_pointers;
};
