#pragma once
// Builds the documents the tests work on, in memory and the way the editor
// does: a document of a controller type, its flow charts, symbols placed
// under the document's ids, wires between them, nodes on wires, monitor
// objects, and a view of a record hosted in memory. The document fixtures
// are made with it.
#include "app/HOXDoc.h"
#include "chart/ControllerType.h"
#include "chart/HOXConnect.h"
#include "chart/HOXFlowView.h"
#include "chart/HOXFlowWnd.h"
#include "chart/HOXNode.h"
#include "chart/HOXSymbol.h"
#include "chart/RecordCasts.h"
#include "online/monitor/HOXMonObj.h"
#include "online/monitor/HOXMonWnd.h"
#include "support/MemoryViewHost.h"
#include "support/Scripted.h"

#include <QString>

#include <memory>

namespace kt::test {

class DocBuilder {
public:
    // A document of its own, of the controller type.
    explicit DocBuilder(std::int32_t controllerType = ctype::kTwoAxes) { NewDocument(controllerType); }
    DocBuilder(const DocBuilder&) = delete;
    DocBuilder& operator=(const DocBuilder&) = delete;
    virtual ~DocBuilder() = default;

    // Starts again on a new document of the type; whatever was built on
    // the old one goes with it.
    void NewDocument(std::int32_t controllerType)
    {
        m_chart = nullptr;
        doc = std::make_unique<CHOXDoc>();
        doc->SetControllerType(controllerType);
    }

    CHOXDoc& Doc() const { return *doc; }
    CHOXMonWnd* Monitor() const { return doc->GetMonWnd(); }

    // A new flow chart of the name in the document's window map; Place and
    // Wire without a window go into it from now on.
    CHOXFlowWnd* Chart(const QString& name)
    {
        auto wnd = doc->NewFlowWindow(name, QString());
        m_chart = wnd.get();
        doc->AddWindow(name, std::move(wnd));
        return m_chart;
    }
    CHOXFlowWnd* CurrentChart() const { return m_chart; }

    // A symbol made at the point (its top-left corner) with the document's
    // next symbol id, in the window's map.
    template <class T = CHOXSymbol>
    T* Place(CPoint at)
    {
        return Place<T>(m_chart, at);
    }
    template <class T = CHOXSymbol>
    T* Place(CHOXWnd* wnd, CPoint at)
    {
        return Add(std::make_unique<T>(at, wnd), static_cast<DWORD>(doc->NewSymbolId()), wnd);
    }
    // The same under an id the test chooses; a symbol whose constructor made
    // no pins gets them as the editor's factory gives them.
    template <class T = CHOXSymbol>
    T* PlaceWithId(DWORD id, CPoint at, CHOXWnd* wnd = nullptr)
    {
        if (wnd == nullptr) wnd = m_chart;
        auto symbol = std::make_unique<T>(at, wnd);
        if (symbol->GetPinCount() == 0) symbol->CreatePins();
        return Add(std::move(symbol), id, wnd);
    }

    // A routed wire from the symbol's pin to the other symbol's input, with
    // the document's next wire id, in the chart that holds the first.
    CHOXConnect* Wire(CHOXSymbol* from, int pin, CHOXSymbol* to)
    {
        return WireWithId(static_cast<DWORD>(doc->NewWireId()), from->GetId(), pin, to->GetId(),
                          CHOXConnect::kTargetSymbol, chart::AsFlowWnd(from->GetWnd()));
    }
    // A routed wire from the symbol's pin that jumps to the node.
    CHOXConnect* Wire(CHOXSymbol* from, int pin, CHOXNode* to)
    {
        return WireWithId(static_cast<DWORD>(doc->NewWireId()), from->GetId(), pin, to->GetId(),
                          CHOXConnect::kTargetNode, chart::AsFlowWnd(from->GetWnd()));
    }
    // The same by ids the test chooses; a wire to a node is listed at it.
    CHOXConnect* WireWithId(DWORD id, DWORD source, int pin, DWORD target, int kind = CHOXConnect::kTargetSymbol,
                            CHOXFlowWnd* wnd = nullptr)
    {
        if (wnd == nullptr) wnd = m_chart;
        auto wire = std::make_unique<CHOXConnect>(CRect(), wnd);
        wire->SetId(id);
        wire->SetSource(source, pin);
        wire->SetTarget(target, kind);
        CHOXConnect* raw = wire.get();
        wnd->AddConnect(std::move(wire));
        if (kind == CHOXConnect::kTargetNode) {
            if (auto* node = dynamic_cast<CHOXNode*>(wnd->LookupNode(static_cast<WORD>(target)))) node->AddInWire(id);
        }
        raw->RerouteAll();
        return raw;
    }

    // A monitor object of its own default make with the document's next
    // monitor-object id, at the rectangle, in the monitor window.
    template <class T = CHOXMonObj>
    T* MonObj(const CRect& rect)
    {
        CHOXMonWnd* wnd = Monitor();
        auto object = std::make_unique<T>(wnd);
        object->SetId(static_cast<DWORD>(doc->NewMonObjId()));
        object->m_position = rect;
        T* raw = object.get();
        wnd->AddMonObj(std::move(object));
        return raw;
    }

    // First, so that the document reads and writes the tests' settings.
    TempSettings settings;
    std::unique_ptr<CHOXDoc> doc;

private:
    template <class T>
    T* Add(std::unique_ptr<T> symbol, DWORD id, CHOXWnd* wnd)
    {
        symbol->SetId(id);
        T* raw = symbol.get();
        wnd->AddObject(std::move(symbol));
        return raw;
    }

    CHOXFlowWnd* m_chart = nullptr;
};

// A view of the document showing a record, hosted in memory: the document
// knows it while it lives.
template <class View = CHOXFlowView>
class HostedView {
public:
    HostedView(CHOXDoc& doc, CHOXWnd* record, CRect client = CRect(0, 0, 800, 600)) : host(client), m_doc(doc)
    {
        view.SetHost(&host);
        doc.AddView(&view);
        view.ShowRecord(record);
        view.OnInitialUpdate();
    }
    ~HostedView() { m_doc.RemoveView(&view); }
    HostedView(const HostedView&) = delete;
    HostedView& operator=(const HostedView&) = delete;

    MemoryViewHost host;
    View view;

private:
    CHOXDoc& m_doc;
};

} // namespace kt::test
