#include "platform/OleClientItem.h"

#include "platform/Archive.h"

#include <string>

KT_IMPLEMENT_DYNAMIC(COleClientItem, CObject)

QString COleClientItem::StorageNameOf(DWORD itemNumber) { return QStringLiteral("Embedding %1").arg(itemNumber); }

void COleClientItem::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_nItemType << m_dwItemNumber << m_nAspect << m_wMoniker << m_nDrawAspect;
        return;
    }
    const std::size_t at = ar.Position();
    DWORD type = 0;
    ar >> type;
    if (type != kLinked && type != kEmbedded && type != kStatic)
        throw ArchiveError(ArchiveError::badClass, "an embedded item at offset " + std::to_string(at) +
                                                       " is of a type this program does not know (" +
                                                       std::to_string(type) + ")");
    m_nItemType = type;
    ar >> m_dwItemNumber >> m_nAspect >> m_wMoniker >> m_nDrawAspect;
}
