#pragma once
// A view's window for the benchmarks: a client rectangle of a given size,
// the mouse capture and the scroll total kept, and the whole-view redraws
// the view asks for counted; nothing is shown.
#include "platform/View.h"

class BenchViewHost : public ViewHost {
public:
    explicit BenchViewHost(CRect client = CRect(0, 0, 1000, 800)) : m_client(client) {}
    void Invalidate(bool) override { ++redraws; }
    void InvalidateRect(const CRect&, bool) override {}
    void SetCapture() override { m_capture = true; }
    void ReleaseCapture() override { m_capture = false; }
    bool HasCapture() const override { return m_capture; }
    void SetCursor(Cursor) override {}
    CPoint GetScrollPosition() const override { return {}; }
    void ScrollToPosition(CPoint) override {}
    void SetScrollSizes(CSize total) override { m_total = total; }
    CSize GetTotalSize() const override { return m_total; }
    CRect GetClientRect() const override { return m_client; }

    int redraws = 0;

private:
    CRect m_client;
    CSize m_total;
    bool m_capture = false;
};
