#pragma once
// A view's window for the benchmarks: a client rectangle of a given size,
// the mouse capture and the scroll total kept, and the whole-view redraws
// the view asks for counted; nothing is shown.
#include "platform/View.h"

#include <memory>

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

// Shows `record` in `view` as a window would that holds its whole sheet and
// a margin: the host is the caller's to keep while the view lives. Any view
// and document that show records (the chart's and the monitor's) will do.
template <class Doc, class View, class Record>
std::unique_ptr<BenchViewHost> ShowWholeSheet(Doc& doc, View& view, Record* record)
{
    const CRect& sheet = record->GetBaseRect()->GetRect();
    auto host = std::make_unique<BenchViewHost>(CRect(0, 0, sheet.right + 15, sheet.bottom + 15));
    view.SetHost(host.get());
    doc.AddView(&view);
    view.ShowRecord(record);
    view.OnInitialUpdate();
    return host;
}
