#pragma once
// One tool of a palette group: the command its button sends and its name,
// which is also the key of its picture among the symbol icons.
#include "platform/Object.h"

#include <QString>

class CHOXPaletteItem : public CObject {
public:
    CHOXPaletteItem(WORD id, const QString& caption) : m_nID(id), m_strCaption(caption) {}

    WORD m_nID = 0;
    QString m_strCaption;
};
