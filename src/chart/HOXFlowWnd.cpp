#include "chart/HOXFlowWnd.h"

#include "app/HOXDoc.h"
#include "chart/HOXBaseRect.h"
#include "chart/HOXDrawObj.h"
#include "chart/HOXView.h"
#include "platform/Archive.h"
#include "platform/DC.h"
#include "platform/Strings.h"

KT_IMPLEMENT_SERIAL(CHOXFlowWnd, CHOXWnd, 0)

CHOXFlowWnd::CHOXFlowWnd() = default;

CHOXFlowWnd::CHOXFlowWnd(CHOXDoc* doc) : CHOXWnd(doc) {}

CHOXFlowWnd::~CHOXFlowWnd()
{
    // Tearing a record down gives nothing back and touches no other object:
    // the objects only go, nodes first, then wires, then symbols.
    m_mapNodes.RemoveAll();
    m_mapConnects.RemoveAll();
    m_mapObjects.RemoveAll();
}

void CHOXFlowWnd::Serialize(CArchive& ar)
{
    SerializeBase(ar);
    if (ar.IsStoring()) {
        SerializeObjectMap(ar, m_mapObjects);
        SerializeObjectMap(ar, m_mapConnects);
        SerializeObjectMap(ar, m_mapNodes);
        ar << m_strName << m_strDescription;
        return;
    }
    ObjectMap objects;
    ObjectMap connects;
    ObjectMap nodes;
    QString name;
    QString description;
    SerializeObjectMap(ar, objects);
    SerializeObjectMap(ar, connects);
    SerializeObjectMap(ar, nodes);
    ar >> name >> description;
    m_mapObjects = std::move(objects);
    m_mapConnects = std::move(connects);
    m_mapNodes = std::move(nodes);
    m_strName = name;
    m_strDescription = description;
    AfterLoad();
}

void CHOXFlowWnd::AfterLoad()
{
    if (GetBaseRect() != nullptr) GetBaseRect()->SetWnd(this);
    for (auto& [id, object] : m_mapObjects) object->SetWnd(this);
    for (auto& [id, wire] : m_mapConnects) wire->SetWnd(this);
    for (auto& [id, node] : m_mapNodes) {
        node->SetWnd(this);
        // A node's id is its pointer number.
        if (m_pDocument != nullptr) m_pDocument->MarkPointerNumberUsed(id);
    }
}

bool CHOXFlowWnd::IsSubtaskWindow() const { return m_strName == LoadStr(20000); }

void CHOXFlowWnd::SetNames(const QString& name, const QString& description)
{
    m_strName = name;
    m_strDescription = description;
}

void CHOXFlowWnd::GetNames(QString& name, QString& description) const
{
    name = m_strName;
    description = m_strDescription;
}

void CHOXFlowWnd::AddConnect(std::unique_ptr<CHOXDrawObj> wire) { PutInMap(m_mapConnects, std::move(wire)); }

std::unique_ptr<CHOXDrawObj> CHOXFlowWnd::RemoveConnect(WORD id) { return m_mapConnects.Take(id); }

CHOXDrawObj* CHOXFlowWnd::LookupConnect(WORD id) const { return FindInMap(m_mapConnects, id); }

void CHOXFlowWnd::AddNode(std::unique_ptr<CHOXDrawObj> node) { PutInMap(m_mapNodes, std::move(node)); }

std::unique_ptr<CHOXDrawObj> CHOXFlowWnd::RemoveNode(WORD id) { return m_mapNodes.Take(id); }

CHOXDrawObj* CHOXFlowWnd::LookupNode(WORD id) const { return FindInMap(m_mapNodes, id); }

CHOXDrawObj* CHOXFlowWnd::ObjectAt(CPoint point)
{
    const CRect square(point.x - 10, point.y - 10, point.x + 10, point.y + 10);
    for (auto& [id, object] : m_mapObjects)
        if (object->Intersects(square)) return object.get();
    for (auto& [id, node] : m_mapNodes)
        if (node->Intersects(square)) return node.get();
    for (auto& [id, wire] : m_mapConnects)
        if (wire->Intersects(square)) return wire.get();
    return nullptr;
}

void CHOXFlowWnd::Draw(CDC* pDC)
{
    if (GetBaseRect() != nullptr) GetBaseRect()->Draw(pDC);
    // Symbols show their handles only while editing; wires and nodes always.
    const bool handles = !pDC->IsPrinting() && m_pView != nullptr;
    const bool symbolHandles = handles && m_pDocument != nullptr && m_pDocument->IsEditMode();
    for (auto it = m_mapObjects.rbegin(); it != m_mapObjects.rend(); ++it) it->second->Draw(pDC);
    if (symbolHandles) {
        for (auto it = m_mapObjects.rbegin(); it != m_mapObjects.rend(); ++it)
            if (m_pView->IsSelected(it->second.get())) it->second->DrawTracker(pDC);
    }
    for (auto it = m_mapConnects.rbegin(); it != m_mapConnects.rend(); ++it) {
        it->second->Draw(pDC);
        if (handles && m_pView->IsSelected(it->second.get())) it->second->DrawTracker(pDC);
    }
    for (auto it = m_mapNodes.rbegin(); it != m_mapNodes.rend(); ++it) {
        it->second->Draw(pDC);
        if (handles && m_pView->IsSelected(it->second.get())) it->second->DrawTracker(pDC);
    }
}
