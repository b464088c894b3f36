#include "platform/PrintTarget.h"

#include "platform/SafeFile.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPdfWriter>
#include <QTemporaryFile>

#include <cmath>

PageMetrics MetricsOf(const QPageLayout& layout, int resolution)
{
    PageMetrics m;
    const QRect pixels = layout.paintRectPixels(resolution);
    const QRectF mm = layout.paintRect(QPageLayout::Millimeter);
    m.widthPx = pixels.width();
    m.heightPx = pixels.height();
    m.widthMm = static_cast<int>(std::lround(mm.width()));
    m.heightMm = static_cast<int>(std::lround(mm.height()));
    m.dpiX = resolution;
    m.dpiY = resolution;
    return m;
}

QPageLayout DefaultPageLayout()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0));
}

// ---------------------------------------------------------------------------

PdfPrintTarget::PdfPrintTarget(const QString& path, const QPageLayout& layout, int resolution)
    : m_path(path), m_layout(layout), m_resolution(resolution > 0 ? resolution : 600)
{
}

PdfPrintTarget::~PdfPrintTarget() { Close(); }

int PdfPrintTarget::StartDoc(const QString& title)
{
    m_error.clear();
    if (m_path.isEmpty()) {
        m_error = QStringLiteral("No file was named.");
        return 0;
    }
    // The file is written at the end; a folder that takes no file says so
    // now, before the user waits for pages that cannot be kept.
    {
        QTemporaryFile probe(QFileInfo(m_path).absoluteDir().filePath(QStringLiteral(".kinetrace-print-XXXXXX")));
        if (!probe.open()) {
            m_error = probe.errorString();
            return 0;
        }
    }
    m_bytes.clear();
    m_buffer = std::make_unique<QBuffer>(&m_bytes);
    m_buffer->open(QIODevice::WriteOnly);
    m_writer = std::make_unique<QPdfWriter>(m_buffer.get());
    m_writer->setResolution(m_resolution);
    m_writer->setPageLayout(m_layout);
    m_writer->setTitle(title);
    m_writer->setCreator(QCoreApplication::applicationName());
    if (!m_painter.begin(m_writer.get())) {
        m_error = QStringLiteral("The PDF could not be started.");
        Close();
        return 0;
    }
    m_pages = 0;
    return 1;
}

QPainter* PdfPrintTarget::Painter() { return m_painter.isActive() ? &m_painter : nullptr; }

int PdfPrintTarget::StartPage()
{
    if (!m_painter.isActive()) return -1;
    // The writer has its first page from the start.
    if (m_pages++ == 0) return 1;
    return m_writer->newPage() ? 1 : -1;
}

int PdfPrintTarget::EndPage() { return m_painter.isActive() ? 1 : -1; }

int PdfPrintTarget::EndDoc()
{
    if (!m_painter.isActive()) return -1;
    m_painter.end();
    m_writer.reset();
    m_buffer.reset();
    QString why;
    const bool written = safefile::Write(m_path, m_bytes, &why);
    m_bytes.clear();
    if (!written) {
        m_error = why;
        return -1;
    }
    return 1;
}

int PdfPrintTarget::AbortDoc()
{
    Close();
    return 1;
}

void PdfPrintTarget::Close()
{
    if (m_painter.isActive()) m_painter.end();
    m_writer.reset();
    m_buffer.reset();
    m_bytes.clear();
}

// ---------------------------------------------------------------------------

namespace {
class NullPaintEngine : public QPaintEngine {
public:
    NullPaintEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    // Whatever is drawn goes nowhere.
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawImage(const QRectF&, const QImage&, const QRectF&, Qt::ImageConversionFlags) override {}
    void drawPath(const QPainterPath&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawRects(const QRectF*, int) override {}
    void drawLines(const QLineF*, int) override {}
    void drawEllipse(const QRectF&) override {}
    void drawTextItem(const QPointF&, const QTextItem&) override {}
    Type type() const override { return QPaintEngine::User; }
};
} // namespace

PageMetricsDevice::PageMetricsDevice(const PageMetrics& metrics)
    : m_metrics(metrics), m_engine(std::make_unique<NullPaintEngine>())
{
}

PageMetricsDevice::~PageMetricsDevice() = default;

QPaintEngine* PageMetricsDevice::paintEngine() const { return m_engine.get(); }

int PageMetricsDevice::metric(PaintDeviceMetric m) const
{
    switch (m) {
    case PdmWidth: return m_metrics.widthPx;
    case PdmHeight: return m_metrics.heightPx;
    case PdmWidthMM: return m_metrics.widthMm;
    case PdmHeightMM: return m_metrics.heightMm;
    case PdmNumColors: return 0x7FFFFFFF;
    case PdmDepth: return 32;
    case PdmDpiX:
    case PdmPhysicalDpiX: return m_metrics.dpiX;
    case PdmDpiY:
    case PdmPhysicalDpiY: return m_metrics.dpiY;
    case PdmDevicePixelRatio: return 1;
    case PdmDevicePixelRatioScaled: return static_cast<int>(devicePixelRatioFScale());
    default: return 0;
    }
}
