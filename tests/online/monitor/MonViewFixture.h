#pragma once
// A document's monitor window shown in a monitor view hosted in memory,
// driven by presses, moves, releases and keys given in document units
// (converted to device pixels through the view, so one script runs at any
// zoom and scroll), with commands by id.
#include "app/ProgramState.h"
#include "chart/HOXBaseRect.h"
#include "chart/HOXRect.h"
#include "chart/HOXUndo.h"
#include "online/monitor/HOXMonView.h"
#include "online/monitor/HOXMonWnd.h"
#include "online/monitor/TestMonButton.h"
#include "support/DocBuilder.h"
#include "support/Scripted.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kt::test {

// How the view shows the page: zoom step and scroll position.
struct MonPlace {
    int zoomIndex;
    CPoint scroll;
    const char* name;
};
inline const MonPlace kMonPlaces[] = {
    {2, CPoint(0, 0), "AtFullSize"},
    {0, CPoint(120, 80), "DoubledAndScrolled"},
    {3, CPoint(30, 20), "ThreeQuartersScrolled"},
};

class MonViewFixture : public DocBuilder {
protected:
    MonViewFixture() : wnd(Monitor()), sheet(wnd->GetBaseRect()) {}

    // Shows the page at a zoom step, scrolled, on a sheet with room for it.
    void ShowAt(const MonPlace& place)
    {
        sheet->m_position = CRect(0, 0, 900, 700);
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
    void DoubleClick(CPoint p)
    {
        Click(p);
        view.OnLButtonDblClk(MK_LBUTTON, Dev(p));
        Release(p);
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

    CCmdUI State(UINT id)
    {
        CCmdUI ui(id);
        EXPECT_TRUE(view.OnCmdMsg(id, CmdMode::Update, &ui)) << id;
        return ui;
    }
    bool Enabled(UINT id) { return State(id).m_bEnabled; }
    bool Checked(UINT id) { return State(id).m_nCheck != 0; }
    void Command(UINT id) { EXPECT_TRUE(view.OnCmdMsg(id, CmdMode::Execute, nullptr)) << id; }

    void SelectOnly(std::initializer_list<CHOXDrawObj*> objects)
    {
        view.Select(nullptr);
        for (CHOXDrawObj* object : objects) view.Select(object, true);
    }

    // A shape of the class at the rectangle under the document's next shape
    // id.
    template <class T = CHOXRect>
    T* Shape(const CRect& rect)
    {
        auto shape = std::make_unique<T>(rect, wnd);
        shape->SetId(static_cast<DWORD>(doc->NewShapeId()));
        T* raw = shape.get();
        wnd->AddShape(std::move(shape));
        return raw;
    }
    // A button only the tests know, under the id.
    CTestMonButton* Button(WORD id, const CRect& rect, CTestMonButton::Kind kind, const std::string& name)
    {
        auto button = std::make_unique<CTestMonButton>(name, kind, &log, wnd);
        button->SetId(id);
        button->m_position = rect;
        CTestMonButton* raw = button.get();
        wnd->AddMonObj(std::move(button));
        return raw;
    }

    void StartMonitoring() { doc->SetEditMode(false); }
    void StopMonitoring() { doc->StopMonitoringIfActive(); }

    std::size_t Shapes() const { return wnd->GetShapeMap().GetCount(); }
    std::vector<WORD> ShapeIds() const
    {
        std::vector<WORD> ids = wnd->GetShapeMap().Keys();
        std::sort(ids.begin(), ids.end());
        return ids;
    }
    int Mode() const { return CHOXView::s_nToolMode; }

    static constexpr UINT kStop = MB_OK | MB_ICONHAND;

    CHOXMonWnd* wnd;
    CHOXBaseRect* sheet;
    HostedView<CHOXMonView> hosted{*doc, wnd, CRect(0, 0, 400, 300)};
    MemoryViewHost& host = hosted.host;
    CHOXMonView& view = hosted.view;
    std::vector<std::string> log;
};

} // namespace kt::test
