#include "online/monitor/HOXCntrlItem.h"

#include "app/HOXDoc.h"

KT_IMPLEMENT_SERIAL(CHOXCntrlItem, COleClientItem, 0)

CHOXCntrlItem::CHOXCntrlItem() = default;

CHOXCntrlItem::CHOXCntrlItem(CHOXDoc* doc, CHOXOle* holder) : m_pHolder(holder)
{
    if (doc == nullptr) return;
    m_dwItemNumber = doc->GetNewItemNumber();
    doc->AddItem(this);
}

CHOXCntrlItem::~CHOXCntrlItem()
{
    if (m_pDocument != nullptr) m_pDocument->RemoveItem(this, false);
}

void CHOXCntrlItem::Delete()
{
    CHOXDoc* doc = m_pDocument;
    m_pDocument = nullptr;
    if (doc != nullptr) doc->RemoveItem(this, true);
}
