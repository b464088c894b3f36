#include "params/HOXSpeedGraph.h"

#include "platform/DC.h"
#include "platform/Fonts.h"

#include <algorithm>
#include <cmath>

namespace {
// Maps time (ms) to the right of the origin and speed levels (pixels)
// upwards from it, and draws lines clipped to the box. Coordinates are
// worked out in 64 bits and doubles and clipped before they become pixels,
// so values that passed no check overflow nothing.
class GraphCoordinates {
public:
    GraphCoordinates(const CRect& box, CPoint origin, std::int64_t span, std::int64_t pixels)
        : m_box(box), m_origin(origin), m_span(span), m_pixels(pixels)
    {
    }

    double X(std::int64_t time) const
    {
        return static_cast<double>(m_origin.x) +
               static_cast<double>(time) * static_cast<double>(m_pixels) / static_cast<double>(m_span);
    }
    double Y(std::int64_t level) const { return static_cast<double>(m_origin.y) - static_cast<double>(level); }

    // The part of the line from (t1, l1) to (t2, l2) inside the box.
    void Line(CDC& dc, std::int64_t t1, std::int64_t l1, std::int64_t t2, std::int64_t l2) const
    {
        double x1 = X(t1), y1 = Y(l1), x2 = X(t2), y2 = Y(l2);
        if (!Clip(x1, y1, x2, y2)) return;
        dc.MoveTo(Round(x1), Round(y1));
        dc.LineTo(Round(x2), Round(y2));
    }

private:
    static int Round(double v) { return static_cast<int>(std::llround(v)); }

    // Liang-Barsky: shortens the line to the box; false when none of it is
    // inside.
    bool Clip(double& x1, double& y1, double& x2, double& y2) const
    {
        const double dx = x2 - x1;
        const double dy = y2 - y1;
        double from = 0.0;
        double to = 1.0;
        const double p[] = {-dx, dx, -dy, dy};
        const double q[] = {x1 - m_box.left, m_box.right - x1, y1 - m_box.top, m_box.bottom - y1};
        for (int i = 0; i < 4; ++i) {
            if (p[i] == 0.0) {
                if (q[i] < 0.0) return false;
                continue;
            }
            const double r = q[i] / p[i];
            if (p[i] < 0.0) {
                from = std::max(from, r);
            } else {
                to = std::min(to, r);
            }
            if (from > to) return false;
        }
        const double sx = x1;
        const double sy = y1;
        x1 = sx + from * dx;
        y1 = sy + from * dy;
        x2 = sx + to * dx;
        y2 = sy + to * dy;
        return true;
    }

    CRect m_box;
    CPoint m_origin;
    std::int64_t m_span;
    std::int64_t m_pixels;
};
} // namespace

void CHOXSpeedGraph::SetProfile(const Profile& profile)
{
    m_profile = profile;
    Invalidate();
}

void CHOXSpeedGraph::OnPaint(CDC& dc, const CRect& client)
{
    const CRect box = client.Normalized();
    const CPoint origin(box.left + 30, box.bottom - 20);

    dc.FillSolidRect(box, kBackColor);
    dc.SelectPen(MakePen(PS_SOLID, 1, kAxisColor));
    dc.MoveTo(origin);
    dc.LineTo(origin.x, box.top);
    dc.MoveTo(box.left, origin.y);
    dc.LineTo(box.right, origin.y);

    dc.SelectFont(GraphFont());
    dc.SetTextColor(kTextColor);
    dc.SetBkColor(kBackColor);
    dc.SetBkMode(OPAQUE);
    dc.TextOut(box.left + 35, box.top + 5, QStringLiteral("Speed(") + m_unitText + QStringLiteral(")"));
    dc.TextOut(origin.x - 10, origin.y + 5, QStringLiteral("0"));
    dc.TextOut((box.right - 30) / 4 + 30, origin.y + 5, QStringLiteral("time(ms)"));

    const std::int64_t maxSpeed = m_profile.maxSpeed;
    // A bias above the maximum is drawn at the maximum, one below 0 not at all.
    const std::int64_t bias = std::max<std::int64_t>(std::min<std::int64_t>(m_profile.biasSpeed, maxSpeed), 0);
    const std::int64_t acc = m_profile.accTime;
    const std::int64_t span = acc + m_profile.decTime + kHoldTime;
    const std::int64_t fall = span - m_profile.decTime;
    const std::int64_t pixels = static_cast<std::int64_t>(box.Width()) - 50;
    const std::int64_t height = static_cast<std::int64_t>(box.Height()) - 45;
    if (span <= 0 || pixels <= 0 || height <= 0) return;

    dc.IntersectClipRect(box);
    const GraphCoordinates at(box, origin, span, pixels);
    if (maxSpeed > 0) {
        dc.SelectPen(MakePen(PS_DOT, 1, kAxisColor));
        at.Line(dc, span, 0, span, static_cast<std::int64_t>(box.Height()) - 20);
        dc.SelectPen(MakePen(PS_SOLID, 1, kProfileColor));
        at.Line(dc, -span / 100, height, span / 100, height);
        at.Line(dc, 0, 0, acc, height);
        at.Line(dc, acc, height, fall, height);
        at.Line(dc, fall, height, span, 0);
    }
    const std::int64_t biasLevel = bias > 0 ? height * bias / maxSpeed : 0;
    if (bias > 0) {
        dc.SelectPen(MakePen(PS_DOT, 1, kProfileColor));
        at.Line(dc, 0, biasLevel, acc, height);
        at.Line(dc, fall, height, span, biasLevel);
    }

    // The labels stand in pixels from the origin, x to the right, y upwards.
    const auto label = [&](std::int64_t x, std::int64_t y, std::int64_t value) {
        dc.TextOut(static_cast<int>(origin.x + x), static_cast<int>(origin.y - y), QString::number(value));
    };
    if (maxSpeed > 0) {
        label(pixels - 10, -5, span);
        label(-29, height, maxSpeed);
    }
    if (bias > 0) label(-29, biasLevel, bias);
}
