#pragma once
// A paint device that records what is drawn on it (texts with their place,
// lines, images, ellipses, rectangles) in document units, so drawing code can
// be checked by what it asked for rather than by pixels.
#include "platform/DC.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPainter>
#include <QTextItem>

#include <cmath>
#include <vector>

namespace kt::test {

class RecordingPaintDevice;

class RecordingPaintEngine : public QPaintEngine {
public:
    struct Text {
        QPointF baseline;
        QString text;
        QFont font;
    };
    struct Line {
        QLineF line;
        QPen pen;
    };
    struct Shape {
        QRectF rect;
        QPen pen;
        QBrush brush;
    };

    RecordingPaintEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }
    void updateState(const QPaintEngineState& state) override
    {
        const auto dirty = state.state();
        if (dirty & DirtyFont) m_font = state.font();
        if (dirty & DirtyPen) m_pen = state.pen();
        if (dirty & DirtyBrush) m_brush = state.brush();
        if (dirty & DirtyTransform) m_transform = state.transform();
    }
    void drawPixmap(const QRectF& r, const QPixmap&, const QRectF&) override { images.push_back(m_transform.mapRect(r)); }
    void drawImage(const QRectF& r, const QImage&, const QRectF&, Qt::ImageConversionFlags) override
    {
        images.push_back(m_transform.mapRect(r));
    }
    void drawLines(const QLineF* l, int count) override
    {
        for (int i = 0; i < count; ++i) lines.push_back({m_transform.map(l[i]), m_pen});
    }
    void drawLines(const QLine* l, int count) override
    {
        for (int i = 0; i < count; ++i) lines.push_back({m_transform.map(QLineF(l[i])), m_pen});
    }
    void drawRects(const QRectF* r, int count) override
    {
        for (int i = 0; i < count; ++i) rects.push_back({m_transform.mapRect(r[i]), m_pen, m_brush});
    }
    void drawRects(const QRect* r, int count) override
    {
        for (int i = 0; i < count; ++i) rects.push_back({m_transform.mapRect(QRectF(r[i])), m_pen, m_brush});
    }
    void drawEllipse(const QRectF& r) override { ellipses.push_back({m_transform.mapRect(r), m_pen, m_brush}); }
    void drawEllipse(const QRect& r) override { drawEllipse(QRectF(r)); }
    void drawPath(const QPainterPath& path) override { paths.push_back(m_transform.map(path)); }
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode) override
    {
        QPolygonF polygon;
        for (int i = 0; i < count; ++i) polygon << points[i];
        QPainterPath path;
        path.addPolygon(polygon);
        paths.push_back(m_transform.map(path));
    }
    void drawTextItem(const QPointF& p, const QTextItem& item) override
    {
        texts.push_back({m_transform.map(p), item.text(), m_font});
    }

    std::vector<Text> texts;
    std::vector<Line> lines;
    std::vector<QRectF> images;
    std::vector<Shape> rects;
    std::vector<Shape> ellipses;
    std::vector<QPainterPath> paths;

private:
    QFont m_font;
    QPen m_pen;
    QBrush m_brush;
    QTransform m_transform;
};

class RecordingPaintDevice : public QPaintDevice {
public:
    QPaintEngine* paintEngine() const override { return &m_engine; }
    RecordingPaintEngine& Record() { return m_engine; }

    // The top-left corner of a recorded text, as CDC::TextOut was given it.
    QPoint TextOrigin(const RecordingPaintEngine::Text& t) const
    {
        const QFontMetricsF fm(t.font, this);
        return QPoint(static_cast<int>(std::lround(t.baseline.x())),
                      static_cast<int>(std::lround(t.baseline.y() - fm.ascent())));
    }

protected:
    int metric(PaintDeviceMetric m) const override
    {
        switch (m) {
        case PdmWidth:
        case PdmHeight: return 2000;
        case PdmWidthMM:
        case PdmHeightMM: return 529;
        case PdmNumColors: return 0x7FFFFFFF;
        case PdmDepth: return 32;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY: return 96;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return static_cast<int>(devicePixelRatioFScale());
        default: return 0;
        }
    }

private:
    mutable RecordingPaintEngine m_engine;
};

} // namespace kt::test
