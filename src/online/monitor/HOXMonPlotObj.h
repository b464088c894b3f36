#pragma once
// The plot of the controller's positions: its four axis limits (stored) and
// the samples taken while monitoring (in memory only). On a one-axis
// controller it keeps only the newest X position; on a two-axis controller
// the path of both axes since the last clearing.
//
// Each axis maps its limits onto a span of 200 units. Limits come from files
// too, where they may be equal or lie anywhere in the 32-bit range, and so
// may samples: zero points, scales and clipping are computed in 64 bits,
// and an axis whose limits are equal has no span and plots nothing.
#include "online/monitor/HOXMonObj.h"

#include <QString>

#include <vector>

// A point of the plot in document units, wide enough for any limits and
// samples.
struct PlotPoint {
    std::int64_t x = 0;
    std::int64_t y = 0;
    friend bool operator==(const PlotPoint&, const PlotPoint&) = default;
};

// A rectangle of such points with all four edges inside it.
struct PlotRect {
    std::int64_t left = 0;
    std::int64_t top = 0;
    std::int64_t right = 0;
    std::int64_t bottom = 0;
};

// One position read from the controller: X and Y.
struct PlotSample {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const PlotSample&, const PlotSample&) = default;
};

class CHOXMonPlotObj : public CHOXMonObj {
    KT_DECLARE_SERIAL(CHOXMonPlotObj)
public:
    // Units each axis's span covers.
    static constexpr int kSpan = 200;

    // For loading: limits ±100, no samples, bounds as read.
    CHOXMonPlotObj();
    // Limits ±100 and the model's default bounds in the window record.
    explicit CHOXMonPlotObj(CHOXWnd* wnd);

    // Where the plot stands inside its bounds: the one-axis scale starts
    // this far from the left edge; the X-Y field's spans start this far in
    // from the left and top edges, and its trace is kept this far inside
    // every edge.
    static constexpr int kScaleStart = 10;
    static constexpr int kInset = 4;

    int GetObjectType() const override { return objtype::kMonPlotObj; }
    // The object part, then X positive, X negative, Y positive, Y negative.
    void Serialize(CArchive& ar) override;
    // The one-axis scale with its marker, or the X-Y field with its trace,
    // in the font "GraphFont".
    void Draw(CDC* pDC) override;
    // In either mode: the limits in the model's dialog. Limits changed with
    // OK are kept and mark the document modified, as the file holds them.
    void OnOpen(UINT flags, CPoint point) override;

    // A horizontal scale on a one-axis controller, an X-Y field otherwise.
    void SetDefaultBounds();

    std::int32_t GetXPositive() const { return m_nXPositive; }
    std::int32_t GetXNegative() const { return m_nXNegative; }
    std::int32_t GetYPositive() const { return m_nYPositive; }
    std::int32_t GetYNegative() const { return m_nYNegative; }
    // The limits as the user edited them.
    void SetLimits(std::int32_t xPositive, std::int32_t xNegative, std::int32_t yPositive, std::int32_t yNegative);

    // One position per polling cycle. On a one-axis controller only the
    // newest is kept, with Y 0.
    void AddSample(std::int32_t x, std::int32_t y);
    // Forgets the path and redraws the plot.
    void ClearSamples();
    const std::vector<PlotSample>& GetSamples() const { return m_samples; }
    // The position of the last call of AddSample as given.
    const PlotSample& GetLastSample() const { return m_lastSample; }

    // Whether an axis maps its limits onto its span (they differ).
    bool HasXSpan() const { return m_nXPositive != m_nXNegative; }
    bool HasYSpan() const { return m_nYPositive != m_nYNegative; }
    // The zeros of both axes: X in units from the start of its span, Y in
    // units below the top of its span (Y grows upwards). A zero outside the
    // span lies beyond 0 to 200. Y is 0 on a one-axis controller, and an
    // axis without span has its zero at 0.
    PlotPoint GetZeroPoint() const;
    // Units from the zero at which a position of the axis is plotted; 0 on
    // an axis without span.
    std::int64_t ScaleX(std::int32_t v) const { return Scale(v, m_nXPositive, m_nXNegative); }
    std::int64_t ScaleY(std::int32_t v) const { return Scale(v, m_nYPositive, m_nYNegative); }

    // The same for any limits, needing no object.
    static std::int64_t XZero(std::int32_t positive, std::int32_t negative);
    static std::int64_t YZero(std::int32_t positive, std::int32_t negative);
    static std::int64_t Scale(std::int32_t v, std::int32_t positive, std::int32_t negative);
    // The width of a text as the plot measures it: the sum of its
    // characters' widths.
    static int GetTextWidth(CDC* pDC, const QString& text);

    // Cuts the segment from a to b down to its part inside the rectangle,
    // moving the ends in place; false, leaving them as they were, when no
    // part lies inside. An end moved onto an edge is rounded towards where
    // it was, which keeps it inside. Coordinates must stay below 2^61 in
    // size; plot points of 32-bit limits and samples stay far below.
    static bool ClipSegment(PlotPoint& a, PlotPoint& b, const PlotRect& rect);

private:
    void DrawXPlot(CDC* pDC);
    void DrawXYPlot(CDC* pDC);
    void DrawXYLabels(CDC* pDC, const PlotPoint& zero, bool xLine, bool yLine);
    void DrawTrace(CDC* pDC, const PlotPoint& zero);

    std::int32_t m_nXPositive = 100;
    std::int32_t m_nXNegative = -100;
    std::int32_t m_nYPositive = 100;
    std::int32_t m_nYNegative = -100;
    PlotSample m_lastSample;
    std::vector<PlotSample> m_samples;
};
