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

    // Timers run only when a test fires them: the period of each running
    // one by its id.
    void SetTimer(UINT timerId, UINT milliseconds) override { timers[timerId] = milliseconds; }
    void KillTimer(UINT timerId) override { timers.erase(timerId); }
    bool IsTimerActive(UINT timerId) const { return timers.count(timerId) != 0; }
    // The running timer's OnTimer, as its period ending would call it; false
    // when the timer does not run.
    bool FireTimer(CView& view, UINT timerId)
    {
        if (!IsTimerActive(timerId)) return false;
        view.OnTimer(timerId);
        return true;
    }

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
    std::map<UINT, UINT> timers;

    // What the window answers.
    CPoint scroll;
    CSize totalSize;
    CRect client;
    int logPixelsY = 96;
    bool hasFrameRect = false;
    CRect frameRect;
};

} // namespace kt::test
