// The clipboard block and the drag stream: the input is pasted as a
// "TRNWK_HOX" block (a copy paste, and a cut paste where the block names this
// running copy) and dropped as a "HOX_DRAG_FORMAT" stream (copied and moved,
// from another program and from another chart of the document) into each
// chart of the archive target's seed document of each controller type (its
// charts hold labels, a call, a node and its jump, a subtask chart on type
// 1). Refusals are fine; afterwards the document must save and reopen to the
// same archive.
// A program in text keeps its labels in a set whose order a save may change
// once, by the design of its map: the second and the fourth save are
// compared.
#include "FuzzSupport.h"

#include "app/HOXDoc.h"
#include "app/ProgramState.h"
#include "chart/HOXClipboard.h"
#include "chart/HOXFlowView.h"
#include "chart/HOXFlowWnd.h"
#include "platform/Clipboard.h"
#include "platform/DragDrop.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace {

// The running copy the seed blocks name (scripts/fuzz.sh --seeds).
constexpr std::uint32_t kInstance = 1;

std::array<QByteArray, 3> g_documents;

struct ChartView {
    kt::fuzz::MemoryViewHost host;
    CHOXFlowView view;
};

class ShownDocument {
public:
    explicit ShownDocument(const QByteArray& archive)
    {
        QString why;
        if (!kt::fuzz::Load(doc, archive, &why)) kt::fuzz::Fail("a seed document does not load", why);
        for (const QString& name : doc.GetWindowNameList()) {
            CHOXFlowWnd* wnd = doc.FindWindowByName(name);
            if (wnd == nullptr) continue;
            auto shown = std::make_unique<ChartView>();
            shown->view.SetHost(&shown->host);
            doc.AddView(&shown->view);
            shown->view.ShowRecord(wnd);
            shown->view.OnInitialUpdate();
            charts.push_back(wnd);
            views.push_back(std::move(shown));
        }
    }
    ~ShownDocument()
    {
        for (auto& shown : views) doc.RemoveView(&shown->view);
    }

    CHOXDoc doc;
    std::vector<CHOXFlowWnd*> charts;
    std::vector<std::unique_ptr<ChartView>> views;
};

void Paste(CHOXFlowView& view, const QByteArray& input)
{
    for (std::int32_t cut : {0, 1}) {
        clipboard::Offer(CHOXClipboard::ChartFormat(), input);
        Program().clipboard.cut = cut;
        view.OnEditPaste();
    }
}

void Drop(ShownDocument& shown, std::size_t chart, const QByteArray& input)
{
    CHOXFlowView& view = shown.views[chart]->view;
    const CPoint at = view.DocToClient(CPoint(20, 20));
    // From another program, then from the next chart of this document.
    CHOXWnd* sources[] = {nullptr, shown.charts[(chart + 1) % shown.charts.size()]};
    for (CHOXWnd* source : sources) {
        for (DWORD effect : {DROPEFFECT_COPY, DROPEFFECT_MOVE}) {
            COleDataObject data({{CHOXClipboard::DragFormat(), input}});
            shown.doc.SetDragSource(source);
            shown.doc.SetDragPending(source != nullptr);
            // The feedback reads the stream too.
            view.OnDragOver(&data, effect == DROPEFFECT_COPY ? MK_CONTROL : 0, at);
            view.OnDrop(&data, effect, at);
        }
    }
    shown.doc.SetDragSource(nullptr);
    shown.doc.SetDragPending(false);
    Program().editing.dropRefused = 0;
    Program().editing.subtaskStartMoved = 0;
}

// Saves and reopens four times; the second and the fourth save must agree.
void ExpectSavesAgree(CHOXDoc& doc, std::int32_t type)
{
    std::array<QByteArray, 4> saves;
    saves[0] = kt::fuzz::Store(doc);
    for (std::size_t i = 1; i < saves.size(); ++i) {
        CHOXDoc again;
        QString why;
        if (!kt::fuzz::Load(again, saves[i - 1], &why))
            kt::fuzz::Fail("a document after a paste and drops does not reopen",
                           QStringLiteral("type %1, save %2: ").arg(type).arg(i) + why);
        saves[i] = kt::fuzz::Store(again);
    }
    if (saves[3] != saves[1])
        kt::fuzz::Fail("a document after a paste and drops saves and reopens to another archive",
                       QStringLiteral("type %1: ").arg(type) + kt::fuzz::FirstDifference(saves[1], saves[3]));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char*** argv)
{
    kt::fuzz::Initialise((*argv)[0]);
    for (std::size_t type = 0; type < g_documents.size(); ++type)
        g_documents[type] = kt::fuzz::SeedFile(QStringLiteral("archive/type%1.bin").arg(type).toLatin1().constData());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (std::size_t type = 0; type < g_documents.size(); ++type) {
        Program().Reset();
        ShownDocument shown(g_documents[type]);
        // A block that names this running copy may be a cut paste.
        Program().clipboard.instanceId = kInstance;
        for (std::size_t chart = 0; chart < shown.charts.size(); ++chart) {
            Paste(shown.views[chart]->view, input);
            Drop(shown, chart, input);
        }
        ExpectSavesAgree(shown.doc, static_cast<std::int32_t>(type));
    }
    Program().Reset();
    return 0;
}
