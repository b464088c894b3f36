#include "symbols/operand/HOXCompSetting.h"

#include "platform/Archive.h"

KT_IMPLEMENT_SERIAL(CHOXCompSetting, CObject, 0)

CHOXCompSetting::CHOXCompSetting(const CHOXCompSetting& other)
    : CObject(), m_byKind(other.m_byKind), m_nOperand1Used(other.m_nOperand1Used),
      m_nOperand2Used(other.m_nOperand2Used), m_operand1(other.m_operand1), m_operand2(other.m_operand2)
{
}

CHOXCompSetting& CHOXCompSetting::operator=(const CHOXCompSetting& other)
{
    m_byKind = other.m_byKind;
    m_nOperand1Used = other.m_nOperand1Used;
    m_nOperand2Used = other.m_nOperand2Used;
    m_operand1 = other.m_operand1;
    m_operand2 = other.m_operand2;
    return *this;
}

void CHOXCompSetting::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_byKind << m_nOperand1Used << m_nOperand2Used;
        m_operand1.Serialize(ar);
        m_operand2.Serialize(ar);
        return;
    }
    CHOXCompSetting read;
    ar >> read.m_byKind >> read.m_nOperand1Used >> read.m_nOperand2Used;
    read.m_operand1.Serialize(ar);
    read.m_operand2.Serialize(ar);
    *this = read;
}

bool CHOXCompSetting::IsValid(bool isOneAxis, std::int32_t fileRegisters) const
{
    if (m_nOperand1Used != 0 && !m_operand1.IsValid(isOneAxis, fileRegisters)) return false;
    if (m_nOperand2Used != 0 && !m_operand2.IsValid(isOneAxis, fileRegisters)) return false;
    return true;
}
