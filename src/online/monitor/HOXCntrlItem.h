#pragma once
// An embedded item of the document: the record the document lists and the
// holder that places it on the monitor page. The holder owns the item; an
// item whose holder was deleted and saved with the document comes back
// without one and is kept by the document.
#include "platform/OleClientItem.h"

class CHOXDoc;
class CHOXOle;

class CHOXCntrlItem : public COleClientItem {
    KT_DECLARE_SERIAL(CHOXCntrlItem)
public:
    // For loading: the document adopts the item once the whole file is read.
    CHOXCntrlItem();
    // A new embedded item of the document, listed by it under its next item
    // number, for the holder (null: none yet).
    CHOXCntrlItem(CHOXDoc* doc, CHOXOle* holder);
    // The document forgets the item; its storage stays in the file.
    ~CHOXCntrlItem() override;

    CHOXOle* GetHolder() const { return m_pHolder; }
    void SetHolder(CHOXOle* holder) { m_pHolder = holder; }
    CHOXDoc* GetDocument() const { return m_pDocument; }
    // Only the document sets it: it lists the item from then on.
    void SetDocument(CHOXDoc* doc) { m_pDocument = doc; }
    // Takes the item out of the document for good: it leaves the item list
    // and its storage is left out of the next save.
    void Delete();

private:
    CHOXDoc* m_pDocument = nullptr;
    CHOXOle* m_pHolder = nullptr;
};
