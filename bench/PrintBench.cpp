// Printing the large document: 500 flow-chart windows with 4,000 objects
// between them (symbols of every palette family and wires), and monitor
// shapes, printed whole to a PDF file by the direct print, and one page of
// its print preview drawn at the size a window shows it; each also at 1/8,
// 1/4 and 1/2 of the document, for the growth.
#include "app/HOXDoc.h"
#include "app/PaletteTools.h"
#include "chart/HOXConnect.h"
#include "chart/HOXFlowView.h"
#include "chart/HOXFlowWnd.h"
#include "chart/HOXRect.h"
#include "chart/HOXSymbol.h"
#include "online/monitor/HOXMonWnd.h"
#include "platform/PrintDialog.h"
#include "platform/PrintPreview.h"
#include "print/HOXPrintJob.h"
#include "res/CommandIds.h"

#include "LargeDocument.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

namespace {

constexpr int kSymbolsPerWindow = 6;
constexpr int kWiresPerWindow = 2; // 8 objects a window, 4,000 in all

const UINT kTools[] = {ID_TOOL_FLOW_CALL, ID_TOOL_CODE_DRV,  ID_TOOL_CODE_LINE,
                       ID_TOOL_FUNC_MOVE, ID_TOOL_FUNC_ARTH, ID_TOOL_CODE_TIME};

void Fill(CHOXDoc& doc, int windows)
{
    doc.SetControllerType(2);
    DWORD symbolId = 0;
    DWORD wireId = 0;
    for (int chart = 1; chart <= windows; ++chart) {
        const QString name = QStringLiteral("Flow Chart%1").arg(chart);
        auto wnd = doc.NewFlowWindow(name, QString());
        for (int i = 0; i < kSymbolsPerWindow; ++i) {
            std::unique_ptr<CHOXSymbol> symbol = MakeToolSymbol(kTools[i], CPoint(40 + 70 * i, 40 + 40 * i), wnd.get());
            symbol->SetId(symbolId++);
            wnd->AddObject(std::move(symbol));
        }
        for (int i = 0; i < kWiresPerWindow; ++i) {
            auto wire = std::make_unique<CHOXConnect>(CRect(72, 72 + 80 * i, 142 + 140 * i, 112 + 80 * i), wnd.get());
            wire->SetId(wireId++);
            wnd->AddConnect(std::move(wire));
        }
        doc.AddWindow(name, std::move(wnd));
    }
    CHOXMonWnd* monitor = doc.GetMonWnd();
    for (DWORD id = 0; id < 20; ++id) {
        const LONG x = 20 + 22 * LONG(id);
        auto shape = std::make_unique<CHOXRect>(CRect(x, 20, x + 18, 250), monitor);
        shape->SetId(id);
        monitor->AddShape(std::move(shape));
    }
}

// Printers are the PDF file's: the direct print takes it without asking.
class PdfOnly : public PrintService {
public:
    explicit PdfOnly(QString path) : m_path(std::move(path)) {}
    int RunPrintDialog(CPrintDialog&) override { return IDCANCEL; }
    std::unique_ptr<PrintTarget> DefaultTarget() override
    {
        return std::make_unique<PdfPrintTarget>(m_path, DefaultPageLayout());
    }
    std::unique_ptr<PrintTarget> PrinterTarget(const QString&) override { return nullptr; }
    void RunPageSetup() override {}

private:
    QString m_path;
};

class NoWindow : public PreviewService {
    class Host : public PreviewHost {
        void Update() override {}
    };

public:
    std::unique_ptr<PreviewHost> Open(CPrintPreview&, CFrameWnd*) override { return std::make_unique<Host>(); }
};

struct Printed {
    explicit Printed(int windows)
    {
        Fill(doc, windows);
        doc.AddView(&view);
    }
    ~Printed() { doc.RemoveView(&view); }
    CHOXDoc doc;
    CHOXFlowView view;
};

void BM_PrintLargeDocumentToPdf(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("large.pdf"));
    PdfOnly pdf(path);
    PrintService* previous = GetPrintService();
    SetPrintService(&pdf);
    Printed printed(static_cast<int>(state.range(0)));
    UINT pages = 0;
    for (auto _ : state) {
        CHOXPrintJob job(&printed.doc);
        job.OnFilePrint(&printed.view, ID_FILE_PRINT_DIRECT);
        if (!QFileInfo::exists(path)) {
            state.SkipWithError("no PDF written");
            break;
        }
        pages = job.m_nFlowChartPages + job.m_nMonitorPages + job.m_nParameterPages;
    }
    state.counters["pages"] = pages;
    state.counters["bytes"] = static_cast<double>(QFileInfo(path).size());
    SetPrintService(previous);
}
void AtEachScale(benchmark::internal::Benchmark* b)
{
    for (int windows : largedoc::kScales) b->Arg(windows);
    b->ArgName("windows")->Unit(benchmark::kMillisecond);
}
BENCHMARK(BM_PrintLargeDocumentToPdf)->Apply(AtEachScale)->Iterations(3);

void BM_PrintPreviewPage(benchmark::State& state)
{
    PdfOnly pdf{QString()};
    NoWindow window;
    PrintService* previousPrint = GetPrintService();
    PreviewService* previousPreview = GetPreviewService();
    SetPrintService(&pdf);
    SetPreviewService(&window);
    Printed printed(static_cast<int>(state.range(0)));
    PreviewSetup setup;
    if (!CPrintPreview::Run(printed.view, setup)) {
        state.SkipWithError("no preview");
    } else {
        CPrintPreview* preview = CPrintPreview::Active();
        // A page in the middle of the charts, fitted to a window 800 high.
        const double scale = preview->Scale(1200, 800, 96);
        const UINT page = std::max<UINT>(1, preview->PageCount() / 2);
        for (auto _ : state) benchmark::DoNotOptimize(preview->RenderPage(page, scale));
        state.counters["pages"] = preview->PageCount();
        CPrintPreview::EndActive();
    }
    SetPreviewService(previousPreview);
    SetPrintService(previousPrint);
}
BENCHMARK(BM_PrintPreviewPage)->Apply(AtEachScale);

} // namespace
