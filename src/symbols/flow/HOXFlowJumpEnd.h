#pragma once
// The jump-end marker: a small rectangle at the end of a wire that ends at a
// node. It stands for a jump to the node's pointer number, optionally
// followed by the end of the program. The wire owns it; it is in no map.
#include "chart/HOXJumpEndBase.h"

#include <QString>

#include <cstdint>
#include <memory>

class CHOXFlowJumpEnd : public CHOXJumpEndBase {
    KT_DECLARE_SERIAL(CHOXFlowJumpEnd)
public:
    // For loading; the owning wire sets the number from its target.
    CHOXFlowJumpEnd();
    // An end follows (SEND in the subtask chart).
    CHOXFlowJumpEnd(int pointerNumber, const CRect& position, CHOXWnd* wnd);

    // Id and rectangle, then end follows and end kind; no pen or fill, and
    // not the number.
    void Serialize(CArchive& ar) override;
    int GetObjectType() const override { return objtype::kFlowJumpEnd; }
    // Filled black when an end follows, else an outline.
    void Draw(CDC* pDC) override;
    // The "JumpEnd Dialog": whether an end follows, and which.
    void OnOpen(UINT flags, CPoint point) override;

    QString GetCode() const override;
    // 6 when an end follows, else 4.
    int GetSteps() const override;
    std::int32_t GetEndFollows() const { return m_nEndFollows; }
    void SetEndFollows(std::int32_t follows) { m_nEndFollows = follows; }
    // 0 END, 1 SEND.
    std::int32_t GetEndKind() const { return m_nEndKind; }
    void SetEndKind(std::int32_t kind) { m_nEndKind = kind; }

private:
    std::int32_t m_nEndFollows = 1;
    std::int32_t m_nEndKind = 0;
};

// Reads a marker stored with its class (or the null reference).
CArchive& operator>>(CArchive& ar, std::unique_ptr<CHOXFlowJumpEnd>& marker);
