#pragma once
// A view host in memory: records what a view asks of its window so tests can
// look at it, and answers with a client rectangle the test sets.
#include "platform/View.h"

#include <map>
#include <vector>

namespace kt::test {

class MemoryViewHost : public ViewHost {
public:
    explicit MemoryViewHost(CRect client = CRect(0, 0, 800, 600)) : client(client) {}

    void Invalidate(bool erase) override
    {
        ++invalidateAll;
        lastErase = erase;
    }
    void InvalidateRect(const CRect& rect, bool erase) override
    {
        invalidated.push_back(rect);
        lastErase = erase;
    }
    void SetCapture() override { capture = true; }
    void ReleaseCapture() override { capture = false; }
    bool HasCapture() const override { return capture; }
    void SetCursor(Cursor c) override
    {
        cursor = c;
        cursors.push_back(c);
    }
    CPoint GetScrollPosition() const override { return scroll; }
    void ScrollToPosition(CPoint position) override { scroll = position; }
    void SetScrollSizes(CSize total) override
    {
        totalSize = total;
        ++scrollSizesSet;
    }
    CSize GetTotalSize() const override { return totalSize; }
    CRect GetClientRect() const override { return client; }
    int LogPixelsY() const override { return logPixelsY; }
    bool GetFrameRestoredRect(CRect& rect) const override
    {
        if (!hasFrameRect) return false;
        rect = frameRect;
        return true;
    }
    bool IsWindowVisible() const override { return visible; }
    UINT SetTimer(UINT id, UINT elapse) override
    {
        timers[id] = elapse;
        return id;
    }
    void KillTimer(UINT id) override { timers.erase(id); }
    UINT GetDoubleClickTime() const override { return doubleClickTime; }

    // Timers come due only when a test says so: the view's timer of the id
    // comes due when it runs; false when it does not.
    bool FireTimer(CView& view, UINT id)
    {
        if (timers.count(id) == 0) return false;
        view.TimerDue(id);
        return true;
    }
    bool TimerRuns(UINT id) const { return timers.count(id) != 0; }

    // Forgets what was recorded (the settings stay).
    void ClearRecord()
    {
        invalidateAll = 0;
        invalidated.clear();
        cursors.clear();
        scrollSizesSet = 0;
    }

    // What the view asked for.
    int invalidateAll = 0;
    std::vector<CRect> invalidated;
    bool lastErase = false;
    bool capture = false;
    Cursor cursor = Cursor::Arrow;
    std::vector<Cursor> cursors;
    int scrollSizesSet = 0;
    // The running timers by id, with their intervals in ms.
    std::map<UINT, UINT> timers;

    // What the window answers.
    CPoint scroll;
    CSize totalSize;
    CRect client;
    int logPixelsY = 96;
    bool hasFrameRect = false;
    CRect frameRect;
    bool visible = true;
    UINT doubleClickTime = 500;
};

} // namespace kt::test
