#pragma once
// One record of the document's step map: the program step at which a
// symbol's code starts, the symbol's id and the name of its window. The
// monitor finds the running symbol through these records.
#include "platform/Object.h"

#include <QString>

#include <cstdint>

class CHOXFlowMonInfo : public CObject {
    KT_DECLARE_SERIAL(CHOXFlowMonInfo)
public:
    CHOXFlowMonInfo();
    CHOXFlowMonInfo(int step, int symbolId, const QString& windowName);

    // First step, symbol id, window name.
    void Serialize(CArchive& ar) override;

    void Get(int* step, int* symbolId, QString* windowName) const;
    void Set(int step, int symbolId, const QString& windowName);

    std::int32_t GetStep() const { return m_nStep; }
    std::int32_t GetSymbolId() const { return m_nSymbolId; }
    const QString& GetWindowName() const { return m_strWindowName; }
    void SetWindowName(const QString& name) { m_strWindowName = name; }

private:
    std::int32_t m_nStep = 0;
    std::int32_t m_nSymbolId = 0;
    QString m_strWindowName;
};
