#pragma once
// An embedded item of a document, as far as this platform has one: nothing
// here runs the item's server, so an item is never created, activated or
// drawn by itself. What a stored document holds of it is kept: its record
// in the document's archive, and its data in the root storage named after
// its number, which the compound file carries through a save.
#include "platform/Object.h"
#include "platform/Types.h"

#include <QString>

class COleClientItem : public CObject {
    KT_DECLARE_DYNAMIC(COleClientItem)
public:
    // What the item is: a link to a file, an embedded document, or a
    // picture of one.
    enum ItemType : DWORD { kLinked = 1, kEmbedded = 2, kStatic = 3 };
    // How it is shown: its content.
    static constexpr DWORD kAspectContent = 1;

    COleClientItem() = default;

    // The record: type, number, aspect, moniker flag (16 bits), drawing
    // aspect. Reading refuses a type it does not know: the record has no
    // length, so whatever followed it would be misread.
    void Serialize(CArchive& ar) override;

    DWORD GetItemType() const { return m_nItemType; }
    DWORD GetItemNumber() const { return m_dwItemNumber; }
    DWORD GetAspect() const { return m_nAspect; }
    WORD GetMonikerFlag() const { return m_wMoniker; }
    DWORD GetDrawAspect() const { return m_nDrawAspect; }
    // The storage of the item's data at the file's root.
    QString GetStorageName() const { return StorageNameOf(m_dwItemNumber); }
    static QString StorageNameOf(DWORD itemNumber);

protected:
    DWORD m_nItemType = kEmbedded;
    DWORD m_dwItemNumber = 0;
    DWORD m_nAspect = kAspectContent;
    WORD m_wMoniker = 0;
    DWORD m_nDrawAspect = kAspectContent;
};
