#include "chart/HOXPin.h"

#include "chart/ChartLookup.h"
#include "chart/HOXUndo.h"
#include "chart/HOXWnd.h"
#include "chart/ObjectKinds.h"
#include "platform/Archive.h"
#include "platform/Messages.h"

KT_IMPLEMENT_SERIAL(CHOXPin, CObject, 0)
KT_REGISTER_KIND(CHOXPin, .type = objtype::kPin)

void CHOXPin::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<DWORD>(m_nNumber) << m_ptOffset.x << m_ptOffset.y << static_cast<DWORD>(m_nKind)
           << static_cast<DWORD>(m_nSide) << m_nLink;
        return;
    }
    DWORD number = 0;
    std::int32_t x = 0;
    std::int32_t y = 0;
    DWORD kind = 0;
    DWORD side = 0;
    DWORD link = 0;
    ar >> number >> x >> y >> kind >> side >> link;
    m_nNumber = static_cast<std::int32_t>(number);
    m_ptOffset = CPoint(x, y);
    m_nKind = static_cast<std::int32_t>(kind);
    m_nSide = static_cast<std::int32_t>(side);
    m_nLink = link;
}

void CHOXPin::Set(std::int32_t number, std::int32_t x, std::int32_t y, Kind kind, Side side)
{
    m_nNumber = number;
    m_ptOffset = CPoint(x, y);
    m_nKind = kind;
    m_nSide = side;
}

void CHOXPin::ToggleLink(DWORD id) { m_nLink = m_nLink == id ? kFree : id; }

bool CHOXPin::CheckConnectDirection(bool otherIsInput) const
{
    const bool input = IsInputSide();
    if (input != otherIsInput) return true;
    AfxMessageBox(input ? QStringLiteral("ERROR : Input side of the symbol is connected to the Input side of the symbol.")
                        : QStringLiteral("ERROR : Output side  of the symbol is connected to the Output side of the symbol."),
                  MB_OK | MB_ICONHAND);
    if (m_pWnd != nullptr && m_pWnd->GetUndo() != nullptr) m_pWnd->GetUndo()->Clear();
    return false;
}

void CHOXPin::RerouteWire()
{
    if (CHOXConnect* wire = chart::FindWire(m_pWnd, m_nLink)) wire->RerouteAll();
}
