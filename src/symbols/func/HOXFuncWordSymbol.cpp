#include "symbols/func/HOXFuncWordSymbol.h"

#include "platform/Archive.h"

KT_IMPLEMENT_DYNAMIC(CHOXFuncWordSymbol, CHOXFuncSymbol)

CHOXFuncWordSymbol::CHOXFuncWordSymbol(const char* caption, int operands, std::int32_t kind)
    : CHOXFuncSymbol(caption), m_nKind(kind), m_nOperands(operands)
{
}

CHOXFuncWordSymbol::CHOXFuncWordSymbol(const char* caption, int operands, std::int32_t kind, CPoint topLeft,
                                       CHOXWnd* wnd)
    : CHOXFuncSymbol(caption, topLeft, wnd), m_nKind(kind), m_nOperands(operands)
{
}

void CHOXFuncWordSymbol::Serialize(CArchive& ar)
{
    CHOXFuncSymbol::Serialize(ar);
    for (int i = 0; i < m_nOperands; ++i) Operand(i).Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_nKind << m_n32Bit;
        return;
    }
    std::int32_t kind = 0;
    std::int32_t is32Bit = 0;
    ar >> kind >> is32Bit;
    m_nKind = kind;
    m_n32Bit = is32Bit;
}
