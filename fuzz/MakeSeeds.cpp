// Writes the seed corpus of the fuzz targets: a document of each controller
// type with a chart or two (flow-control symbols, wires, a node and its jump,
// shapes and a monitor object on the monitor page, a step of the step map),
// as a saved ".hox" file for the file target and as its "Contents" stream for
// the archive target; the type 2 document once more in a file that holds
// storages of embedded items besides, which a save carries through, and once
// with embedded items on its monitor page (two holders with an item, one
// without, and an item whose holder was deleted); and the seeds of the other
// targets (Seeds.h).
//   kinetrace_fuzz_seeds <corpus folder>
// writes <folder>/document/type<N>.hox, <folder>/document/carried.hox,
// <folder>/document/embedded.hox, <folder>/archive/type<N>.bin and what
// Seeds.h lists.
#include "FuzzSupport.h"
#include "Seeds.h"

#include "app/HOXDoc.h"
#include "chart/HOXConnect.h"
#include "chart/HOXFlowWnd.h"
#include "chart/HOXLine.h"
#include "chart/HOXNode.h"
#include "chart/HOXOval.h"
#include "chart/HOXRect.h"
#include "chart/HOXUndo.h"
#include "online/monitor/HOXCntrlItem.h"
#include "online/monitor/HOXMonObj.h"
#include "online/monitor/HOXMonWnd.h"
#include "online/monitor/HOXOle.h"
#include "params/HOXParam.h"
#include "platform/Archive.h"
#include "platform/CompoundFile.h"
#include "platform/Strings.h"
#include "symbols/flow/HOXFlowCall.h"
#include "symbols/flow/HOXFlowEnd.h"
#include "symbols/flow/HOXFlowJump.h"
#include "symbols/flow/HOXFlowJumpEnd.h"
#include "symbols/flow/HOXFlowMonInfo.h"
#include "symbols/flow/HOXFlowPointer.h"
#include "symbols/flow/HOXFlowStart.h"

#include <QDir>
#include <QTemporaryDir>
#include <QFileInfo>

#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-stdio.h>
#include <gsf/gsf-utils.h>

#include <cstdio>
#include <memory>

namespace {

CHOXFlowWnd* AddChart(CHOXDoc& doc, const QString& name, int kind)
{
    auto wnd = doc.NewFlowWindow(name, QStringLiteral("seed chart"));
    CHOXFlowWnd* raw = wnd.get();
    doc.AddWindow(name, std::move(wnd));
    raw->CreateInitialSymbols(kind);
    return raw;
}

template <class T>
T* Place(CHOXDoc& doc, CHOXFlowWnd* wnd, CPoint at)
{
    auto symbol = std::make_unique<T>(at, wnd);
    symbol->SetId(static_cast<DWORD>(doc.NewSymbolId()));
    T* raw = symbol.get();
    wnd->AddObject(std::move(symbol));
    return raw;
}

CHOXSymbol* SymbolOf(CHOXFlowWnd* wnd, WORD id) { return dynamic_cast<CHOXSymbol*>(wnd->LookupObject(id)); }

CHOXConnect* Wire(CHOXDoc& doc, CHOXFlowWnd* wnd, CHOXSymbol* source, int pin, DWORD target, int kind)
{
    const CPoint from = source->GetPinPosition(pin);
    auto wire = std::make_unique<CHOXConnect>(CRect(from, from), wnd);
    wire->SetId(static_cast<DWORD>(doc.NewWireId()));
    wire->SetSource(source->GetId(), pin);
    wire->SetTarget(target, kind);
    CHOXConnect* raw = wire.get();
    wnd->AddConnect(std::move(wire));
    raw->Reroute();
    return raw;
}

// A node on the wire, and a wire from the source's output jumping to it.
void NodeAndJump(CHOXDoc& doc, CHOXFlowWnd* wnd, CHOXConnect* onWire, DWORD number, CHOXSymbol* source, int pin)
{
    const CPoint at = onWire->GetSecondPoint();
    auto node = std::make_unique<CHOXNode>(number, CRect(at.x - 5, at.y - 5, at.x + 5, at.y + 5), onWire->GetId(), wnd);
    CHOXNode* rawNode = node.get();
    wnd->AddNode(std::move(node));
    onWire->SetNodeId(number);
    doc.MarkPointerNumberUsed(static_cast<int>(number));

    CHOXConnect* jump = Wire(doc, wnd, source, pin, number, CHOXConnect::kTargetNode);
    const CPoint end = jump->GetPoints().empty() ? CPoint() : jump->GetPoints().back();
    jump->SetJumpEnd(std::make_unique<CHOXFlowJumpEnd>(static_cast<int>(number),
                                                        CRect(end.x - 5, end.y - 5, end.x + 5, end.y + 5), wnd));
    rawNode->AddInWire(jump->GetId());
    jump->RerouteAll();
}

void FillMonitorPage(CHOXDoc& doc)
{
    CHOXMonWnd* mon = doc.GetMonWnd();
    std::unique_ptr<CHOXDrawObj> shapes[] = {std::make_unique<CHOXRect>(CRect(10, 10, 120, 60), mon),
                                             std::make_unique<CHOXOval>(CRect(150, 10, 220, 80), mon),
                                             std::make_unique<CHOXLine>(CRect(10, 100, 220, 140), mon)};
    for (auto& shape : shapes) {
        shape->SetId(static_cast<DWORD>(doc.NewShapeId()));
        mon->AddShape(std::move(shape));
    }
    auto monObj = std::make_unique<CHOXMonObj>(mon);
    monObj->SetId(static_cast<DWORD>(doc.NewMonObjId()));
    mon->AddMonObj(std::move(monObj));
}

std::unique_ptr<CHOXDoc> MakeDocument(std::int32_t type)
{
    auto doc = std::make_unique<CHOXDoc>();
    doc->SetControllerType(type);
    doc->GetParam().SetDefaults();

    // START, a CALL and END, wired, with a node on the first wire that the
    // CALL's second wire jumps back to. A new chart's first two symbols take
    // the next two ids.
    auto nextId = [&doc] { return static_cast<WORD>(doc->GetIdCounters().symbol); };
    WORD first = nextId();
    CHOXFlowWnd* main = AddChart(*doc, QStringLiteral("Flow Chart1"), 0);
    CHOXSymbol* start = SymbolOf(main, first);
    CHOXSymbol* end = SymbolOf(main, first + 1);
    auto* call = Place<CHOXFlowCall>(*doc, main, CPoint(137, 120));
    call->SetPointerNumber(60);
    call->SetComment(QStringLiteral("seed"));
    if (start != nullptr) {
        CHOXConnect* toCall = Wire(*doc, main, start, 0, call->GetId(), CHOXConnect::kTargetSymbol);
        NodeAndJump(*doc, main, toCall, 40, call, 1);
    }
    if (end != nullptr) Wire(*doc, main, call, 0, end->GetId(), CHOXConnect::kTargetSymbol);

    // POINTER and END (SUBROUTINE and RET for type 2), and a JUMP wired
    // from the upper one.
    first = nextId();
    CHOXFlowWnd* second = AddChart(*doc, QStringLiteral("Flow Chart2"), type == 2 ? 2 : 1);
    auto* jump = Place<CHOXFlowJump>(*doc, second, CPoint(300, 120));
    jump->SetPointerNumber(0);
    if (CHOXSymbol* upper = SymbolOf(second, first))
        Wire(*doc, second, upper, 0, jump->GetId(), CHOXConnect::kTargetSymbol);

    if (type == 1) {
        AddChart(*doc, LoadStr(20000), 0);
        auto* yStart = Place<CHOXFlowStart>(*doc, AddChart(*doc, QStringLiteral("Y axis"), 1), CPoint(300, 32));
        yStart->SetAxis(1);
        yStart->SetProgramNumber(3);
    }

    FillMonitorPage(*doc);
    auto info = std::make_unique<CHOXFlowMonInfo>();
    info->Set(4, 0, QStringLiteral("Flow Chart1"));
    doc->AddStepInfo(std::move(info));
    doc->SetStoredRect(0, CRect(0, 0, 640, 480));
    doc->SetProgTextPos(0, CPoint(20, 30));
    const std::int32_t speed = 1000 + type;
    doc->GetParam().SetParam(&speed, 4, 0);
    return doc;
}

bool AddStream(GsfOutfile* parent, const char* name, const QByteArray& data)
{
    GsfOutput* out = gsf_outfile_new_child(parent, name, FALSE);
    if (out == nullptr) return false;
    const auto* bytes = reinterpret_cast<const guint8*>(data.constData());
    const bool ok = gsf_output_write(out, static_cast<size_t>(data.size()), bytes) && gsf_output_close(out);
    g_object_unref(out);
    return ok;
}

// Holders on the monitor page of the document: one with an item, one
// without, and one with an item that is deleted (its item is then saved
// without a holder), and one more with an item. The items are numbered 1
// to 3; the document's archive names them.
QByteArray ContentsWithItems(CHOXDoc& doc)
{
    CHOXMonWnd* mon = doc.GetMonWnd();
    const struct {
        CRect bounds;
        bool item;
    } holders[] = {
        {CRect(250, 20, 330, 80), true},
        {CRect(250, 100, 300, 140), false},
        {CRect(350, 20, 420, 60), true},
        {CRect(350, 100, 440, 170), true},
    };
    for (const auto& h : holders) {
        auto holder = std::make_unique<CHOXOle>(h.bounds, mon);
        holder->SetId(static_cast<DWORD>(doc.NewOleId()));
        if (h.item) holder->AttachItem(std::make_unique<CHOXCntrlItem>(&doc, holder.get()));
        mon->AddOleObject(std::move(holder));
    }
    mon->GetUndo()->RecordDelete(mon->RemoveOleObject(2));
    CArchive ar;
    ar.m_pDocument = &doc;
    doc.Serialize(ar);
    return ar.Buffer();
}

// A compound file with the stream as "Contents" and, beside it, what an
// embedded item leaves: for each of the items a storage with a class id, its
// streams and a storage inside it, and a property stream at the root. This
// program never writes such entries; it only carries them through a save.
void WriteWithItems(const QString& path, const QByteArray& contents, int items = 1)
{
    gsf_init();
    GError* error = nullptr;
    GsfOutput* sink = gsf_output_stdio_new(path.toLocal8Bit().constData(), &error);
    if (sink == nullptr) kt::fuzz::Fail("cannot write", path);
    GsfOutfile* root = gsf_outfile_msole_new(sink);
    const guint8 itemClass[16] = {0x40, 0x41, 0x42, 0x43, 0x44, 0x45, 0x46, 0x47,
                                  0x48, 0x49, 0x4a, 0x4b, 0x4c, 0x4d, 0x4e, 0x4f};
    bool ok = AddStream(root, "Contents", contents) &&
              AddStream(root, "\005SummaryInformation", QByteArray(48, '\x05'));
    for (int n = 1; ok && n <= items; ++n) {
        const QByteArray name = "Embedding " + QByteArray::number(n);
        GsfOutput* item = gsf_outfile_new_child(root, name.constData(), TRUE);
        ok = item != nullptr && gsf_outfile_msole_set_class_id(GSF_OUTFILE_MSOLE(item), itemClass) &&
             AddStream(GSF_OUTFILE(item), "\001Ole", QByteArray(20, '\x01')) &&
             AddStream(GSF_OUTFILE(item), "CONTENTS", QByteArray(200 * n, 'c'));
        GsfOutput* inner = ok ? gsf_outfile_new_child(GSF_OUTFILE(item), "Inner", TRUE) : nullptr;
        ok = ok && inner != nullptr && AddStream(GSF_OUTFILE(inner), "Data", QByteArray()) && gsf_output_close(inner);
        ok = ok && gsf_output_close(item);
        if (inner != nullptr) g_object_unref(inner);
        if (item != nullptr) g_object_unref(item);
    }
    ok = gsf_output_close(GSF_OUTPUT(root)) && ok;
    g_object_unref(root);
    g_object_unref(sink);
    if (!ok) kt::fuzz::Fail("cannot build", path);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
        return 2;
    }
    kt::fuzz::Initialise(argv[0]);
    const QDir corpus(QString::fromLocal8Bit(argv[1]));
    for (const char* sub : {"archive", "document"})
        if (!corpus.mkpath(QString::fromLatin1(sub)))
            kt::fuzz::Fail("cannot make", corpus.filePath(QString::fromLatin1(sub)));

    for (std::int32_t type : {0, 1, 2}) {
        std::unique_ptr<CHOXDoc> doc = MakeDocument(type);
        const QString hox = corpus.filePath(QStringLiteral("document/type%1.hox").arg(type));
        if (!doc->OnSaveDocument(hox)) kt::fuzz::Fail("cannot save", doc->GetFileError());
        // The stream as the file holds it, so both targets start from the
        // same documents.
        const auto file = CompoundFile::Open(hox, nullptr);
        if (!file) kt::fuzz::Fail("cannot reopen", hox);
        kt::fuzz::WriteSeedFile(corpus.filePath(QStringLiteral("archive/type%1.bin").arg(type)), file->Contents());
        std::printf("type %d: %s (%lld bytes), Contents %lld bytes\n", type, qPrintable(hox),
                    static_cast<long long>(QFileInfo(hox).size()), static_cast<long long>(file->Contents().size()));

        if (type != 2) continue;
        // The seed is the program's own save of that file.
        QTemporaryDir scratch;
        const QString made = scratch.filePath(QStringLiteral("made.hox"));
        WriteWithItems(made, file->Contents());
        CHOXDoc withItems;
        if (!withItems.OnOpenDocument(made)) kt::fuzz::Fail("cannot open", withItems.GetFileError());
        const QString carried = corpus.filePath(QStringLiteral("document/carried.hox"));
        if (!withItems.OnSaveDocument(carried)) kt::fuzz::Fail("cannot save", withItems.GetFileError());
        std::printf("with embedded items' storages: %s (%lld bytes)\n", qPrintable(carried),
                    static_cast<long long>(QFileInfo(carried).size()));

        const QString madeWithItems = scratch.filePath(QStringLiteral("made-items.hox"));
        WriteWithItems(madeWithItems, ContentsWithItems(*doc), 3);
        CHOXDoc onPage;
        if (!onPage.OnOpenDocument(madeWithItems)) kt::fuzz::Fail("cannot open", onPage.GetFileError());
        const QString embedded = corpus.filePath(QStringLiteral("document/embedded.hox"));
        if (!onPage.OnSaveDocument(embedded)) kt::fuzz::Fail("cannot save", onPage.GetFileError());
        std::printf("with embedded items: %s (%lld bytes)\n", qPrintable(embedded),
                    static_cast<long long>(QFileInfo(embedded).size()));
    }
    kt::fuzz::WriteEverySymbolSeeds(corpus);
    kt::fuzz::WriteLinkSeeds(corpus);
    return 0;
}
