#include "symbols/flow/HOXFlowMonInfo.h"

#include "platform/Archive.h"

KT_IMPLEMENT_SERIAL(CHOXFlowMonInfo, CObject, 0)

CHOXFlowMonInfo::CHOXFlowMonInfo() = default;

CHOXFlowMonInfo::CHOXFlowMonInfo(int step, int symbolId, const QString& windowName)
    : m_nStep(step), m_nSymbolId(symbolId), m_strWindowName(windowName)
{
}

void CHOXFlowMonInfo::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_nStep << m_nSymbolId << m_strWindowName;
        return;
    }
    std::int32_t step = 0;
    std::int32_t symbolId = 0;
    QString name;
    ar >> step >> symbolId >> name;
    Set(step, symbolId, name);
}

void CHOXFlowMonInfo::Get(int* step, int* symbolId, QString* windowName) const
{
    if (step != nullptr) *step = m_nStep;
    if (symbolId != nullptr) *symbolId = m_nSymbolId;
    if (windowName != nullptr) *windowName = m_strWindowName;
}

void CHOXFlowMonInfo::Set(int step, int symbolId, const QString& windowName)
{
    m_nStep = step;
    m_nSymbolId = symbolId;
    m_strWindowName = windowName;
}
