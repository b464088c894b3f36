// The application's symbol pictures: loaded once at start-up, looked up by
// the symbols and the palette.
#include "app/HOXApp.h"
#include "app/SymbolIconTable.h"
#include "chart/HOXSymbol.h"
#include "chart/HOXSystemIcon.h"

#include <QImage>

void CHOXApp::LoadSymbolIcons()
{
    for (const SymbolIconResources& entry : SymbolIconTable()) {
        auto icon = std::make_unique<CHOXSystemIcon>();
        icon->LoadBitmap(entry.normal, CHOXSymbol::kNormal);
        if (entry.error != 0) icon->LoadBitmap(entry.error, CHOXSymbol::kError);
        if (entry.missing != 0) icon->LoadBitmap(entry.missing, CHOXSymbol::kMissing);
        AddIcon(QString::fromLatin1(entry.name), std::move(icon));
    }
}

void CHOXApp::AddIcon(const QString& name, std::unique_ptr<CHOXSystemIcon> icon)
{
    m_mapIcons.SetAt(name, std::move(icon));
}

CHOXSystemIcon* CHOXApp::LookupIcon(const QString& name) const
{
    const std::unique_ptr<CHOXSystemIcon>* icon = m_mapIcons.Lookup(name);
    return icon != nullptr ? icon->get() : nullptr;
}

const QImage* CHOXApp::GetSymbolIcon(const QString& name, int state) const
{
    const CHOXSystemIcon* icon = LookupIcon(name);
    return icon != nullptr ? icon->GetBitmap(static_cast<UINT>(state)) : nullptr;
}

bool CHOXApp::DrawIcon(const QString& name, int state, CDC* pDC, int x, int y) const
{
    const CHOXSystemIcon* icon = LookupIcon(name);
    return icon != nullptr && icon->Draw(pDC, x, y, static_cast<UINT>(state));
}
