#pragma once
// A junction on a wire of a flow chart. It carries a pointer number (its id)
// and so works as a jump label in the middle of a wire: other wires may end
// at it, each standing for a jump to that number.
#include "chart/HOXOval.h"

#include <cstdint>
#include <vector>

class CHOXConnect;
class CHOXFlowWnd;

class CHOXNode : public CHOXOval {
    KT_DECLARE_SERIAL(CHOXNode)
public:
    static constexpr DWORD kNone = 0xFFFFFFFFu;

    // For loading.
    CHOXNode();
    // A node with the pointer number as its id, sitting on the outgoing wire,
    // with no incoming wires.
    CHOXNode(DWORD number, const CRect& position, DWORD outWireId, CHOXWnd* wnd);
    ~CHOXNode() override;

    void Serialize(CArchive& ar) override;
    int GetObjectType() const override { return objtype::kNode; }
    void Draw(CDC* pDC) override;
    // Taken out on its own; the caller has taken it out of the node map and
    // keeps it for undo (answers false). The wires that jump to it go to the
    // undo store.
    bool Remove() override;
    void OnLButtonDown(CHOXView* view, UINT flags, CPoint point) override;
    void OnLButtonUp(CHOXView* view, UINT flags, CPoint point) override;
    void OnMouseMove(CHOXView* view, UINT flags, CPoint point) override;
    // Double click: the NODE dialog renumbers the node.
    void OnOpen(UINT flags, CPoint point) override;
    // Takes the rectangle and lets the wires follow.
    void MoveTo(const CRect& position, CHOXView* view) override;

    // The wire the node sits on (the one that continues from it).
    DWORD GetOutWireId() const { return m_nOutWireId; }
    void SetOutWireId(DWORD id) { m_nOutWireId = id; }
    // The wires that end at the node, in the order they were attached.
    const std::vector<DWORD>& GetInWires() const { return m_inWires; }
    void AddInWire(DWORD id) { m_inWires.push_back(id); }
    // Removes the first equal entry; answers its former index, or the count
    // when there was none.
    int RemoveInWire(DWORD id);
    void ClearInWires() { m_inWires.clear(); }

    // Takes pointer number n: the wires and jump-end markers follow and the
    // node moves to its new key in the node map. The pointer table is the
    // callers' business.
    void Renumber(DWORD n);
    // The node's wire leaves the chart: the wires that jump to it go to the
    // undo store, and its number is given back unless it is its POINTER's.
    // The caller has taken the node out of the node map. The outgoing wire
    // may pass itself, when it has already left the wire map.
    void Release(const CHOXConnect* outgoing = nullptr);
    // The point on the vertical segment of the outgoing wire near the point;
    // (0, 0) when the segment found is not vertical or none is found.
    CPoint SnapToWire(CPoint point) const;

private:
    CHOXFlowWnd* FlowWnd() const;
    CHOXConnect* FindWire(DWORD id) const;
    // Hands every incoming wire to the undo store, detached.
    void DropInWires();

    DWORD m_nOutWireId = kNone;
    std::vector<DWORD> m_inWires;
    bool m_bMoving = false;
};
