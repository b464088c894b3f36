#pragma once
// A wire of a flow chart: it leaves an output pin of a symbol and ends at the
// input pin 0 of another symbol or at a node (a jump to the node's pointer
// number). It draws itself as an orthogonal polyline computed from its ends;
// its inner segments can be dragged sideways. Symbols and nodes are named by
// id through the window record's maps.
#include "chart/HOXDrawObj.h"

#include <cstdint>
#include <memory>
#include <vector>

class CHOXJumpEndBase;
class CHOXFlowWnd;
class CHOXNode;
class CHOXSymbol;

class CHOXConnect : public CHOXDrawObj {
    KT_DECLARE_SERIAL(CHOXConnect)
public:
    // An id that names nothing.
    static constexpr DWORD kNone = 0xFFFFFFFFu;
    // Target kinds.
    static constexpr std::int32_t kTargetNode = 0;
    static constexpr std::int32_t kTargetSymbol = 1;
    // Hit results of a draggable inner segment.
    static constexpr std::int32_t kVerticalSegment = 100;
    static constexpr std::int32_t kHorizontalSegment = 101;

    // For loading.
    CHOXConnect();
    // A new wire whose first point is the rectangle's top-left corner; its
    // end (handle 2) follows the mouse until it is joined.
    CHOXConnect(const CRect& position, CHOXWnd* wnd);
    ~CHOXConnect() override;

    void Serialize(CArchive& ar) override;
    int GetObjectType() const override { return objtype::kConnect; }
    // One handle per point of the polyline.
    int GetHandleCount() const override;
    CPoint GetHandle(int n) const override;
    void Draw(CDC* pDC) override;
    // Frees the wire's ends, hands its node over and tells a JUMP at its end.
    // The caller takes the wire out of the wire map (RemoveConnect) and keeps
    // it for undo: this answers false.
    bool Remove() override;
    // 100 over a draggable vertical inner segment, 101 over a horizontal one,
    // 0 elsewhere (also over the first and last segments).
    int HitTest(CPoint point, const CHOXView* view) const override;
    // While the wire is drawn: handle 1 moves its start, handle 2 (or the last
    // handle) its end.
    void MoveHandleTo(int n, CPoint point, CHOXView* view) override;
    void OnLButtonDown(CHOXView* view, UINT flags, CPoint point) override;
    void OnLButtonUp(CHOXView* view, UINT flags, CPoint point) override;
    void OnMouseMove(CHOXView* view, UINT flags, CPoint point) override;
    // Double click at a document point: makes the wire's node through the
    // NODE dialog.
    void OnOpen(UINT flags, CPoint point) override;
    // Also gives the owner to the jump-end marker.
    void SetWnd(CHOXWnd* wnd) override;

    DWORD GetSourceId() const { return m_nSourceId; }
    std::int32_t GetSourcePin() const { return m_nSourcePin; }
    void SetSource(DWORD symbolId, std::int32_t pin);
    DWORD GetTargetId() const { return m_nTargetId; }
    // 1 the target symbol's input pin 0; 0 a node.
    std::int32_t GetTargetKind() const { return m_nTargetKind; }
    void SetTarget(DWORD id, std::int32_t kind);
    // The node made on this wire (its pointer number); kNone when none.
    DWORD GetNodeId() const { return m_nNodeId; }
    void SetNodeId(DWORD id) { m_nNodeId = id; }
    // Segment k runs from point k to point k + 1; -1 when there is no node.
    std::int32_t GetNodeSegment() const { return m_nNodeSegment; }
    void SetNodeSegment(std::int32_t k) { m_nNodeSegment = k; }
    // The marker of a wire that ends at a node; the wire owns it.
    CHOXJumpEndBase* GetJumpEnd() const { return m_pJumpEnd.get(); }
    void SetJumpEnd(std::unique_ptr<CHOXJumpEndBase> marker);
    // Both pen widths.
    void SetLineWidth(int width);
    std::int32_t GetLineWidth() const { return m_nPenWidth; }
    std::int32_t GetPenStyle() const { return m_nPenStyle; }
    // The segment found by the last hit test.
    std::int32_t GetGrabbedSegment() const { return m_nGrabbedSegment; }

    const std::vector<CPoint>& GetPoints() const { return m_points; }
    CPoint GetSecondPoint() const;
    // For a wire that ends at a node: moves the last point.
    void SetEndPoint(int x, int y);

    // The symbol finally reached, through any nodes; kNone when a node or a
    // wire of the chain is missing.
    DWORD GetFinalTarget() const;

    // Computes the polyline from scratch from the two ends.
    void Reroute();
    // Reroute, then puts the jump-end marker and the node back on the wire.
    void RerouteAll();
    // True when the rectangle meets a segment's box widened by 5.
    bool HitsRect(const CRect& rect) const;

    // Take the wire's id out of its source pin, its target pin (or the target
    // node's incoming list), or both.
    void FreeSourcePin();
    void FreeTargetPin();
    void FreeEnds();

    // Takes the wire out of the chart when the input pin at its target goes
    // (and for Remove, and for the incoming wires of a node that goes): frees
    // the source pin, hands the node it carries to the undo store, leaves the
    // wire map and tells a JUMP at its end. Answers the wire as the wire map
    // held it (null when it was not there), for the undo store.
    std::unique_ptr<CHOXDrawObj> Detach();
    // The same when the output pin at its source goes: the node it carries is
    // inherited by the nearest wire that jumps to it.
    std::unique_ptr<CHOXDrawObj> DetachFromSource();
    // Undo of a deletion: the wire takes its pins and node again.
    void RestoreLinks();
    // Undo of an addition: a node left without its outgoing wire goes to the
    // nearest wire that jumps to it.
    void RestoreJumpChain();

    // Makes a node on the middle of the last segment without a dialog; false
    // when no pointer number is free.
    bool CreateNode();

    // Whether the wire must be routed anew after the symbol (isSymbol) or
    // node with this id moved; pin is the moved symbol's pin index.
    bool NeedsReroute(DWORD id, int pin, bool isSymbol) const;
    // Shifts the end at the moved symbol or node, keeping the route.
    void MoveEnd(DWORD id, int pin, bool isSymbol);

    // Drags inner segment k (from point k - 1 to point k) to the point,
    // keeping it 15 units inside the base sheet.
    void MoveSegment(int k, int x, int y);
    // Where a node would sit for a point on the wire; false when the point
    // is on no segment or on a horizontal one.
    bool NodePointAt(CPoint point, CPoint* nodePoint) const;
    // The first segment whose box widened by 1 meets the rectangle; -1 when
    // none does.
    int SegmentAt(const CRect& rect) const;
    // Where the wire's node sits on segment k; (0, 0) without a node.
    CPoint NodePosOnSegment(int k) const;
    // Of the wires that jump to this wire's node, the shortest (straight
    // distance from first to last point); null when there is none.
    CHOXConnect* NearestIncomingWire() const;
    // This wire, which jumped to the node, becomes the wire the node sits on.
    void TakeNode(DWORD nodeId);
    // Tells a JUMP at an end of a side-exit wire its caption mode (1 on
    // removal, 0 on restoring).
    void NotifyJumpSymbol(int mode);

private:
    CHOXFlowWnd* FlowWnd() const;
    CHOXSymbol* FindSymbol(DWORD id) const;
    CHOXNode* FindNode(DWORD id) const;
    CHOXConnect* FindWire(DWORD id) const;
    bool IsSideExit() const;
    bool IsNodeTarget() const { return m_nTargetKind != kTargetSymbol; }
    void RecomputeBounds();
    // Puts the marker on the second point and the node on its segment.
    void PlaceMarkerAndNode();
    // The node this wire carries goes back from the wire that inherited it.
    void TakeNodeBack(CHOXConnect* other, CHOXNode* node, CHOXSymbol* source);
    // Links of Detach without leaving the wire map.
    void DetachLinks();
    // Takes the wire out of the wire map when the map holds it.
    std::unique_ptr<CHOXDrawObj> LeaveWireMap();
    // Takes a node out of the node map and gives it to the undo store;
    // answers the node (still alive) or null.
    CHOXNode* HandNodeToUndo(DWORD nodeId);

    DWORD m_nSourceId = kNone;
    std::int32_t m_nSourcePin = 0;
    DWORD m_nTargetId = kNone;
    std::int32_t m_nTargetKind = kTargetSymbol;
    std::vector<CPoint> m_points;
    DWORD m_nNodeId = kNone;
    std::int32_t m_nPenStyle = 6; // PS_INSIDEFRAME
    std::int32_t m_nPenWidth = 2;
    mutable std::int32_t m_nGrabbedSegment = 0;
    std::int32_t m_nNodeSegment = -1;
    std::unique_ptr<CHOXJumpEndBase> m_pJumpEnd;
};
