#pragma once
// One element of a ladder row: a kind (see LadderKinds.h) and its text.
#include "platform/Object.h"

#include <QString>

class CHOXLadderItem : public CObject {
public:
    CHOXLadderItem(int kind, const QString& text) : m_nKind(kind), m_strText(text) {}

    int GetKind() const { return m_nKind; }
    const QString& GetText() const { return m_strText; }

private:
    int m_nKind;
    QString m_strText;
};
