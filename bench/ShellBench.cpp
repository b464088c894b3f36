// The program's windows at the sizes of 1/8, 1/4, 1/2 and all of the largest
// document (500 flow-chart windows): File Open of a saved document through
// the application, closing it, Import Text of its exported program into a
// new document with the progress window, and the rebuild of a program read
// into a new document. The main window and its chart windows are the real
// ones on the offscreen platform; each measurement runs until the events it
// leaves behind (deferred deletions, repaints) are handled, as the program
// would before it next waits for the user. A text of many statements under
// one label measures the import's reading of one chart.
#include "Counted.h"
#include "LargeDocument.h"

#include "app/HOXApp.h"
#include "app/HOXDoc.h"
#include "app/MainFrame.h"
#include "convert/HOXExport.h"
#include "convert/HOXProgReader.h"
#include "convert/HOXTextImporter.h"
#include "platform/Dialog.h"
#include "platform/Messages.h"
#include "platform/TextFile.h"
#include "platform/ui/QtDialogSite.h"
#include "platform/ui/QtFrameWindow.h"
#include "platform/ui/QtPlatform.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// Every question gets its default answer, unseen.
class Quiet : public MessageHandler {
public:
    int Show(const QString&, UINT style, const QString&) override { return DefaultMessageResult(style); }
};

// The logo goes at once; the progress windows are the program's own.
class Dialogs : public DialogRunner {
public:
    int RunModal(CDialog& dialog) override { return dialog.GetTemplateId() == kLogo ? IDOK : IDCANCEL; }
    bool CreateModeless(CDialog& dialog) override { return m_windows.CreateModeless(dialog); }
    void DestroyModeless(CDialog& dialog) override { m_windows.DestroyModeless(dialog); }

private:
    static constexpr UINT kLogo = 2002;
    QtDialogRunner m_windows;
};

// Handles what the last operation left for the event loop.
void Settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// The started program without a document.
class Shell {
public:
    Shell()
    {
        SetWindowFactory(&m_windows);
        m_oldMessages = GetMessageHandler();
        m_oldDialogs = GetDialogRunner();
        SetMessageHandler(&m_quiet);
        SetDialogRunner(&m_dialogs);
        m_app = std::make_unique<CHOXApp>();
        m_started = m_app->InitInstance();
        Settle();
    }
    ~Shell()
    {
        m_app.reset();
        Settle();
        SetDialogRunner(m_oldDialogs);
        SetMessageHandler(m_oldMessages);
        SetWindowFactory(nullptr);
    }
    bool Started() const { return m_started; }
    CHOXApp& App() { return *m_app; }
    CMainFrame& Main() { return *m_app->MainFrame(); }

    void CloseDocument()
    {
        if (CHOXDoc* doc = m_app->GetDocument()) doc->SetModifiedFlag(false);
        m_app->CloseOpenDocument();
        Settle();
    }

    // A document as a text import or a read makes it: the bars, the tree,
    // the monitor window.
    CHOXDoc* NewReadDocument(int type)
    {
        Main().FillSymbolPalette();
        Main().RebuildWorkspaceTree();
        Main().ShowFlowChartBars();
        Main().ShowEditBars();
        m_app->m_nFrameAtOrigin = 1;
        CHOXDoc* doc = m_app->CreateMonitorDocument();
        if (doc == nullptr) return nullptr;
        doc->SetControllerType(type);
        doc->OnNewDocument();
        return doc;
    }

private:
    QtWindowFactory m_windows;
    Quiet m_quiet;
    Dialogs m_dialogs;
    MessageHandler* m_oldMessages = nullptr;
    DialogRunner* m_oldDialogs = nullptr;
    std::unique_ptr<CHOXApp> m_app;
    bool m_started = false;
};

int Windows(const benchmark::State& state) { return static_cast<int>(state.range(0)); }

void Sizes(benchmark::internal::Benchmark* b)
{
    for (int windows : largedoc::kScales) b->Arg(windows);
    b->ArgName("windows")->Unit(benchmark::kMillisecond);
}

void BM_ShellFileOpen(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("large.hox"));
    Shell shell;
    if (!shell.Started() || !largedoc::SaveDrawing(path, Windows(state))) {
        state.SkipWithError("no program or no document");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        shell.CloseDocument();
        state.ResumeTiming();
        CHOXDoc* doc = nullptr;
        {
            Counted counted;
            doc = shell.App().OpenDocumentFile(path);
            Settle();
        }
        if (doc == nullptr || doc->GetWindowMap().GetCount() != static_cast<std::size_t>(Windows(state))) {
            state.SkipWithError("the document did not open");
            break;
        }
    }
    state.counters["frames"] = static_cast<double>(shell.Main().GetChildren().size());
}
BENCHMARK(BM_ShellFileOpen)->Apply(Sizes);

void BM_ShellClose(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("large.hox"));
    Shell shell;
    if (!shell.Started() || !largedoc::SaveDrawing(path, Windows(state))) {
        state.SkipWithError("no program or no document");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        CHOXDoc* doc = shell.App().OpenDocumentFile(path);
        Settle();
        state.ResumeTiming();
        {
            Counted counted;
            shell.CloseDocument();
        }
        if (doc == nullptr || shell.App().GetDocument() != nullptr || !shell.Main().GetChildren().empty()) {
            state.SkipWithError("the document did not open and close");
            break;
        }
    }
}
BENCHMARK(BM_ShellClose)->Apply(Sizes);

// Reads the text file and builds its charts in a new document, as File >
// Import Text does after its questions.
CHOXDoc* ImportText(Shell& shell, const QString& path)
{
    const std::optional<QStringList> lines = textfile::Read(path, nullptr);
    CHOXDoc* doc = lines ? shell.NewReadDocument(1) : nullptr;
    if (doc == nullptr) return nullptr;
    {
        CHOXTextImporter importer(doc, *lines);
        importer.SetParameters();
        importer.GenerateFlowCharts();
    }
    doc->UpdateAllViews(nullptr);
    Settle();
    return doc;
}

void BM_ShellImportText(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("large.txt"));
    {
        CHOXDoc doc;
        if (!largedoc::FillProgram(doc, Windows(state))) {
            state.SkipWithError("no symbol kind converts");
            return;
        }
        CHOXExport exporter(&doc);
        QString message;
        int severity = 0;
        CHOXSymbol* symbol = nullptr;
        if (!exporter.GenerateProgram(message, true, &severity, &symbol, false)) {
            state.SkipWithError("the program does not convert");
            return;
        }
        exporter.FormatParameters();
        textfile::Write(path, exporter.GetFileText(), nullptr);
    }
    Shell shell;
    if (!shell.Started()) {
        state.SkipWithError("no program");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        shell.CloseDocument();
        state.ResumeTiming();
        CHOXDoc* doc = nullptr;
        {
            Counted counted;
            doc = ImportText(shell, path);
        }
        if (doc == nullptr || doc->GetWindowMap().GetCount() < static_cast<std::size_t>(Windows(state))) {
            state.SkipWithError("the text did not import");
            break;
        }
    }
}
BENCHMARK(BM_ShellImportText)->Apply(Sizes);

void BM_ShellRebuild(benchmark::State& state)
{
    QString program;
    {
        CHOXDoc doc;
        if (!largedoc::FillProgram(doc, Windows(state))) {
            state.SkipWithError("no symbol kind converts");
            return;
        }
        CHOXExport exporter(&doc);
        QString message;
        int severity = 0;
        CHOXSymbol* symbol = nullptr;
        if (!exporter.GenerateProgram(message, false, &severity, &symbol, false)) {
            state.SkipWithError("the program does not convert");
            return;
        }
        program = exporter.GetProgramText();
    }
    Shell shell;
    if (!shell.Started()) {
        state.SkipWithError("no program");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        shell.CloseDocument();
        state.ResumeTiming();
        CHOXDoc* doc = nullptr;
        {
            Counted counted;
            doc = shell.NewReadDocument(1);
            if (doc != nullptr) {
                CHOXProgReader reader(doc);
                reader.SetControllerType(1);
                reader.ResetJumpCounts();
                reader.SplitStatements(program);
                reader.GenerateFlowCharts();
                Settle();
            }
        }
        if (doc == nullptr) {
            state.SkipWithError("no document");
            break;
        }
        if (doc->GetWindowMap().GetCount() < static_cast<std::size_t>(Windows(state))) {
            state.SkipWithError("the program did not rebuild");
            break;
        }
    }
}
BENCHMARK(BM_ShellRebuild)->Apply(Sizes);

// One program label and then the statements: one chart whose text the
// import reads statement by statement.
void BM_ImportStatementsUnderOneLabel(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("long.txt"));
    {
        CHOXDoc doc;
        doc.SetControllerType(1);
        CHOXExport exporter(&doc);
        exporter.FormatParameters();
        QString text = exporter.GetParameterText() + QStringLiteral("[Program]\nOX1\n");
        static const char* const kStatements[] = {"LD X0", "OUT Y1", "m05", "cod04 x10", "SET M9", "AND M100"};
        for (int i = 0; i < state.range(0); ++i) text += QString::fromLatin1(kStatements[i % 6]) + u'\n';
        text += QStringLiteral("m02\n");
        textfile::Write(path, text, nullptr);
    }
    Shell shell;
    if (!shell.Started()) {
        state.SkipWithError("no program");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        shell.CloseDocument();
        state.ResumeTiming();
        if (ImportText(shell, path) == nullptr) {
            state.SkipWithError("the text did not import");
            break;
        }
    }
}
BENCHMARK(BM_ImportStatementsUnderOneLabel)
    ->ArgName("statements")
    ->Arg(2500)
    ->Arg(5000)
    ->Arg(10000)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond);

} // namespace
