#pragma once
// END: where a program ends, with END or, in the subtask, SEND.
#include "chart/HOXSymbol.h"

#include <cstdint>

class CHOXFlowEnd : public CHOXSymbol {
    KT_DECLARE_SERIAL(CHOXFlowEnd)
public:
    CHOXFlowEnd();
    // In the subtask chart the end is SEND.
    CHOXFlowEnd(CPoint topLeft, CHOXWnd* wnd);

    // The symbol part, then the end kind.
    void Serialize(CArchive& ar) override;
    int GetObjectType() const override { return objtype::kFlowEnd; }
    // The "END" dialog, in a flow chart. OK makes a missing END a normal
    // one; the document counts as modified even after Cancel.
    void OnOpen(UINT flags, CPoint point) override;
    void CreatePins() override;
    QString GetCode() override;
    void CalcSteps() override;
    // In the subtask chart a pasted END becomes SEND.
    void AssignNewNumber() override;
    // Moved or copied, it takes the kind of the chart it lands in.
    void SettleAfterDrop(bool) override { AssignNewNumber(); }

    // 0 END, 1 SEND.
    std::int32_t GetEndKind() const { return m_nEndKind; }
    void SetEndKind(std::int32_t kind) { m_nEndKind = kind; }

private:
    std::int32_t m_nEndKind = 0;
};
