#pragma once
// Where a print run goes: a printer, a PDF file or, in the tests, a recording.
// A target tells the size of its printable area before anything is printed,
// and takes one document of pages between StartDoc and EndDoc (or AbortDoc,
// which leaves nothing behind).
#include <QByteArray>
#include <QPageLayout>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QString>

#include <memory>

class QBuffer;
class QPdfWriter;

// The printable area of a page.
struct PageMetrics {
    int widthPx = 0;
    int heightPx = 0;
    int widthMm = 0;
    int heightMm = 0;
    int dpiX = 0;
    int dpiY = 0;
};

// The printable area of a page layout printed at a resolution.
PageMetrics MetricsOf(const QPageLayout& layout, int resolution);
// The layout a PDF has when nothing else chose one: A4 upright, the whole
// sheet printable.
QPageLayout DefaultPageLayout();

class PrintTarget {
public:
    virtual ~PrintTarget() = default;

    // A printer's name, or the path of the file printed to.
    virtual QString Name() const = 0;
    // Targets that write a file, and the file's path (empty until chosen).
    virtual bool IsFile() const { return false; }
    virtual void SetOutputPath(const QString&) {}
    // Copies the device makes of each page (the printer's dialog chose them).
    virtual void SetCopies(int) {}
    virtual PageMetrics Metrics() const = 0;

    // The results count as the system's do: above 0 done, 0 or below failed
    // (ErrorString says why). The painter exists from a StartDoc that
    // succeeded until EndDoc or AbortDoc.
    virtual int StartDoc(const QString& title) = 0;
    virtual QPainter* Painter() = 0;
    virtual int StartPage() = 0;
    virtual int EndPage() = 0;
    virtual int EndDoc() = 0;
    virtual int AbortDoc() = 0;
    const QString& ErrorString() const { return m_error; }

protected:
    QString m_error;
};

// A PDF file, written whole at EndDoc through the safe writer: a run that
// fails or is aborted leaves the file that was there before.
class PdfPrintTarget : public PrintTarget {
public:
    PdfPrintTarget(const QString& path, const QPageLayout& layout, int resolution = 600);
    ~PdfPrintTarget() override;

    QString Name() const override { return m_path; }
    bool IsFile() const override { return true; }
    void SetOutputPath(const QString& path) override { m_path = path; }
    PageMetrics Metrics() const override { return MetricsOf(m_layout, m_resolution); }

    // Fails (with the reason) when no file may be made in the folder.
    int StartDoc(const QString& title) override;
    QPainter* Painter() override;
    int StartPage() override;
    int EndPage() override;
    int EndDoc() override;
    int AbortDoc() override;

private:
    void Close();

    QString m_path;
    QPageLayout m_layout;
    int m_resolution;
    QByteArray m_bytes;
    std::unique_ptr<QBuffer> m_buffer;
    std::unique_ptr<QPdfWriter> m_writer;
    QPainter m_painter;
    int m_pages = 0;
};

// A device of the size of a target's page that draws nothing: the print job
// measures and counts its pages on it before anything goes to the target.
class PageMetricsDevice : public QPaintDevice {
public:
    explicit PageMetricsDevice(const PageMetrics& metrics);
    ~PageMetricsDevice() override;
    QPaintEngine* paintEngine() const override;

protected:
    int metric(PaintDeviceMetric m) const override;

private:
    PageMetrics m_metrics;
    std::unique_ptr<QPaintEngine> m_engine;
};
