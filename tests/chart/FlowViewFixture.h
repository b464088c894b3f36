#pragma once
// A flow chart shown in a flow view hosted in memory, driven by presses,
// moves, releases and keys given in document units (converted to device
// pixels through the view, so the same script runs at any zoom and scroll).
#include "app/PaletteTools.h"
#include "app/ProgramState.h"
#include "chart/ChartFixture.h"
#include "chart/ChartLookup.h"
#include "chart/HOXFlowView.h"

#include <memory>

namespace kt::test {

// A positioning code as far as placing and wiring are concerned: the
// default pins under a type code of its own.
template <int Type>
class CodeSymbolOf : public CHOXSymbol {
public:
    CodeSymbolOf(CPoint topLeft, CHOXWnd* wnd) : CHOXSymbol(topLeft, wnd) { CreatePins(); }
    int GetObjectType() const override { return Type; }
};

// A conditional jump as the palette makes it: side exit included.
using PlacedSideExit = CHOXFlowCJump;

// While it lives, a palette tool makes the given symbols (null: none); the
// tool's own maker comes back afterwards.
class ToolMakerScope {
public:
    ToolMakerScope(UINT tool, SymbolMaker maker) : m_tool(tool), m_old(FindPaletteTool(tool)->maker)
    {
        RegisterSymbolMaker(tool, maker);
    }
    ~ToolMakerScope() { RegisterSymbolMaker(m_tool, m_old); }
    ToolMakerScope(const ToolMakerScope&) = delete;
    ToolMakerScope& operator=(const ToolMakerScope&) = delete;

private:
    UINT m_tool;
    SymbolMaker m_old;
};

// How the view shows the chart: zoom step and scroll position.
struct ViewPlace {
    int zoomIndex;
    CPoint scroll;
    const char* name;
};

class FlowViewFixture : public ChartFixture {
protected:
    FlowViewFixture() = default;

    // Shows the chart at a zoom step, scrolled.
    void ShowAt(const ViewPlace& place)
    {
        // Room to scroll on a larger sheet.
        wnd->GetBaseRect()->m_position = CRect(0, 0, 900, 700);
        view.SetZoomIndex(place.zoomIndex);
        host.scroll = place.scroll;
    }

    CPoint Dev(CPoint docPoint) const { return view.DocToClient(docPoint); }
    void Press(CPoint p, UINT flags = 0) { view.OnLButtonDown(MK_LBUTTON | flags, Dev(p)); }
    void MoveTo(CPoint p, UINT flags = MK_LBUTTON) { view.OnMouseMove(flags, Dev(p)); }
    void Release(CPoint p, UINT flags = 0) { view.OnLButtonUp(flags, Dev(p)); }
    void Click(CPoint p, UINT flags = 0)
    {
        Press(p, flags);
        Release(p, flags);
    }
    // Press, two moves and release.
    void Drag(CPoint from, CPoint to, UINT flags = 0)
    {
        Press(from, flags);
        MoveTo(CPoint((from.x + to.x) / 2, (from.y + to.y) / 2), MK_LBUTTON | flags);
        MoveTo(to, MK_LBUTTON | flags);
        Release(to, flags);
    }
    void Key(UINT key) { view.OnKeyDown(key, 1, 0); }

    // Places a symbol with the palette tool: click at its top-left corner.
    CHOXDrawObj* PlaceWithTool(UINT tool, CPoint topLeft)
    {
        view.OnToolSelected(tool);
        const std::size_t before = wnd->GetObjectMap().GetCount();
        Click(topLeft);
        if (wnd->GetObjectMap().GetCount() == before) return nullptr;
        for (auto& [id, object] : wnd->GetObjectMap())
            if (object->GetRect().TopLeft() == topLeft) return object.get();
        return nullptr;
    }
    // Draws a wire with the wire tool from one document point to another.
    void DrawWire(CPoint from, CPoint to)
    {
        if (CHOXView::s_nToolMode != 2) view.OnWireTool();
        Drag(from, to);
    }

    std::size_t Symbols() const { return wnd->GetObjectMap().GetCount(); }
    std::size_t Wires() const { return wnd->GetConnectMap().GetCount(); }
    std::size_t Nodes() const { return wnd->GetNodeMap().GetCount(); }
    int Mode() const { return CHOXView::s_nToolMode; }

    static constexpr UINT kStop = MB_OK | MB_ICONHAND;

    HostedView<> hosted{doc, wnd, CRect(0, 0, 400, 300)};
    MemoryViewHost& host = hosted.host;
    CHOXFlowView& view = hosted.view;
};

} // namespace kt::test
