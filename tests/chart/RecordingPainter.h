#pragma once
// A paint device that records what is drawn on it (texts with their place,
// lines, images, ellipses, rectangles, clips) in device units, so drawing
// code can be checked by what it asked for rather than by pixels. Its page
// can be given the size of a printer's; RecordingPrintTarget prints on it.
#include "platform/DC.h"
#include "platform/PrintTarget.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPainter>
#include <QTextItem>

#include <QStringList>

#include <cmath>
#include <functional>
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
    // A polygon or a polyline (mode PolylineMode) with its pen and brush.
    struct Polygon {
        QPolygonF points;
        QPen pen;
        QBrush brush;
        PolygonDrawMode mode;
    };
    // A clip as it reaches the device: its bounds in device units, or none.
    struct Clip {
        bool on;
        QRect bounds;
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
        if (dirty & DirtyClipEnabled) {
            if (!state.isClipEnabled()) clips.push_back({false, QRect()});
        }
        if (dirty & DirtyClipRegion) {
            if (state.clipOperation() == Qt::NoClip) {
                clips.push_back({false, QRect()});
            } else {
                clips.push_back({true, m_transform.map(state.clipRegion()).boundingRect()});
            }
        }
        if (dirty & DirtyClipPath) {
            if (state.clipOperation() == Qt::NoClip) {
                clips.push_back({false, QRect()});
            } else {
                clips.push_back({true, m_transform.map(state.clipPath()).boundingRect().toAlignedRect()});
            }
        }
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
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override
    {
        QPolygonF polygon;
        for (int i = 0; i < count; ++i) polygon << points[i];
        QPainterPath path;
        path.addPolygon(polygon);
        paths.push_back(m_transform.map(path));
        polygons.push_back({m_transform.map(polygon), m_pen, m_brush, mode});
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
    std::vector<Polygon> polygons;
    std::vector<Clip> clips;

private:
    QFont m_font;
    QPen m_pen;
    QBrush m_brush;
    QTransform m_transform;
};

class RecordingPaintDevice : public QPaintDevice {
public:
    RecordingPaintDevice() = default;
    // A page of a printer's size.
    explicit RecordingPaintDevice(const PageMetrics& page) : m_page(page), m_hasPage(true) {}
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
        if (m_hasPage) {
            switch (m) {
            case PdmWidth: return m_page.widthPx;
            case PdmHeight: return m_page.heightPx;
            case PdmWidthMM: return m_page.widthMm;
            case PdmHeightMM: return m_page.heightMm;
            case PdmDpiX:
            case PdmPhysicalDpiX: return m_page.dpiX;
            case PdmDpiY:
            case PdmPhysicalDpiY: return m_page.dpiY;
            default: break;
            }
        }
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
    PageMetrics m_page;
    bool m_hasPage = false;
};

// What a run printed on a recording target: the calls in order, and per
// page where its records start in the device's lists.
struct RecordedPrint {
    explicit RecordedPrint(const PageMetrics& page) : metrics(page), device(page) {}
    PageMetrics metrics;
    RecordingPaintDevice device;
    QStringList calls; // "StartDoc VEDID Information", "StartPage", ...
    QString title;
    int copies = 1;
    struct PageStart {
        std::size_t texts;
        std::size_t clips;
    };
    std::vector<PageStart> pages;
    // Failures to play: StartDoc fails; the page of that number (from 1)
    // fails at StartPage or EndPage.
    bool failStartDoc = false;
    int failStartPage = 0;
    int failEndPage = 0;
    // Runs at the end of each page, before the run goes on (a user's click
    // while the page prints).
    std::function<void(int page)> afterPage;

    RecordingPaintEngine& Record() { return device.Record(); }
    // The texts of page n (from 1), as drawn.
    std::vector<RecordingPaintEngine::Text> TextsOfPage(int n)
    {
        const auto& all = Record().texts;
        const std::size_t from = pages.at(std::size_t(n - 1)).texts;
        const std::size_t to = std::size_t(n) < pages.size() ? pages[std::size_t(n)].texts : all.size();
        return {all.begin() + std::ptrdiff_t(from), all.begin() + std::ptrdiff_t(to)};
    }
    std::vector<RecordingPaintEngine::Clip> ClipsOfPage(int n)
    {
        const auto& all = Record().clips;
        const std::size_t from = pages.at(std::size_t(n - 1)).clips;
        const std::size_t to = std::size_t(n) < pages.size() ? pages[std::size_t(n)].clips : all.size();
        return {all.begin() + std::ptrdiff_t(from), all.begin() + std::ptrdiff_t(to)};
    }
    QStringList PageTexts(int n)
    {
        QStringList out;
        for (const auto& t : TextsOfPage(n)) out << t.text;
        return out;
    }
    int PageCount() const { return static_cast<int>(pages.size()); }
};

// A printer that records: it prints on the record's device.
class RecordingPrintTarget : public PrintTarget {
public:
    RecordingPrintTarget(QString name, RecordedPrint& record) : m_name(std::move(name)), m_record(record) {}
    ~RecordingPrintTarget() override
    {
        if (m_painter.isActive()) m_painter.end();
    }
    QString Name() const override { return m_name; }
    void SetCopies(int copies) override { m_record.copies = copies; }
    PageMetrics Metrics() const override { return m_record.metrics; }
    int StartDoc(const QString& title) override
    {
        m_record.calls << QStringLiteral("StartDoc ") + title;
        m_record.title = title;
        if (m_record.failStartDoc) {
            m_error = QStringLiteral("The recording printer is off.");
            return 0;
        }
        m_painter.begin(&m_record.device);
        return 1;
    }
    QPainter* Painter() override { return m_painter.isActive() ? &m_painter : nullptr; }
    int StartPage() override
    {
        m_record.calls << QStringLiteral("StartPage");
        m_record.pages.push_back({m_record.Record().texts.size(), m_record.Record().clips.size()});
        if (m_record.PageCount() == m_record.failStartPage) {
            m_error = QStringLiteral("The paper ran out.");
            return -1;
        }
        return 1;
    }
    int EndPage() override
    {
        m_record.calls << QStringLiteral("EndPage");
        if (m_record.PageCount() == m_record.failEndPage) {
            m_error = QStringLiteral("The paper jammed.");
            return -1;
        }
        if (m_record.afterPage) m_record.afterPage(m_record.PageCount());
        return 1;
    }
    int EndDoc() override
    {
        m_record.calls << QStringLiteral("EndDoc");
        m_painter.end();
        return 1;
    }
    int AbortDoc() override
    {
        m_record.calls << QStringLiteral("AbortDoc");
        if (m_painter.isActive()) m_painter.end();
        return 1;
    }

private:
    QString m_name;
    RecordedPrint& m_record;
    QPainter m_painter;
};

} // namespace kt::test
