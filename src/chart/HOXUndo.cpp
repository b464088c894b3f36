#include "chart/HOXUndo.h"

#include "chart/HOXDrawObj.h"

CHOXUndo::CHOXUndo(CHOXWnd* owner) : m_pOwner(owner) {}

CHOXUndo::~CHOXUndo() { Clear(); }

void CHOXUndo::Clear()
{
    m_kept.clear();
    m_nState = -1;
    m_nAction = -1;
}
