// The document's part in the symbol palette: the scroll state of a new
// document, the up and down commands, and the buttons of a shown range.
#include "app/HOXApp.h"
#include "app/HOXDoc.h"
#include "app/MainFrame.h"
#include "app/PaletteTools.h"

namespace {
CMainFrame* PaletteFrame()
{
    const CHOXApp* app = CHOXApp::Get();
    return app != nullptr ? app->MainFrame() : nullptr;
}

// The palette is the open document's: a document beside it (one being made
// or read on the side) leaves it alone.
bool OwnsPalette(const CHOXDoc* doc)
{
    const CHOXApp* app = CHOXApp::Get();
    return app == nullptr || app->GetDocument() == nullptr || app->GetDocument() == doc;
}
} // namespace

void CHOXDoc::InitPalette()
{
    OnCommand(ID_PALETTE_UP, [this] { OnPaletteScrollUp(); });
    OnCommand(ID_PALETTE_DOWN, [this] { OnPaletteScrollDown(); });
    if (!OwnsPalette(this)) return;
    ResetPaletteScroll();
    if (CMainFrame* main = PaletteFrame()) {
        if (CSliderCtrl* slider = main->GetPaletteSlider()) {
            slider->SetRange(0, PaletteSliderMax(PaletteScrollOf(kFlowGroup).last), false);
            slider->SetPos(0);
        }
    }
}

void CHOXDoc::ReleasePalette()
{
    CMainFrame* main = PaletteFrame();
    if (main == nullptr || !OwnsPalette(this)) return;
    for (int group = 0; group < kPaletteGroups; ++group) {
        const PaletteScroll& scroll = PaletteScrollOf(group);
        main->DestroyPaletteButtons(group, scroll.first, PaletteShownLast(scroll.first, scroll.last));
    }
    main->DeletePaletteItems();
}

void CHOXDoc::OnPaletteScrollUp() { ScrollPalette(-1); }

void CHOXDoc::OnPaletteScrollDown() { ScrollPalette(1); }

void CHOXDoc::ScrollPalette(int rows)
{
    CMainFrame* main = PaletteFrame();
    if (main == nullptr) return;
    const int group = main->GetVisiblePaletteGroup();
    if (group < 0) return;
    PaletteScroll& scroll = PaletteScrollOf(group);
    // Up needs a row above; down a tool beyond the shown eight.
    if (rows < 0 ? scroll.first < 2 : scroll.last - scroll.first < kPaletteSlots) return;
    main->DestroyPaletteButtons(group, scroll.first, PaletteShownLast(scroll.first, scroll.last));
    scroll.first += 2 * rows;
    ShowPaletteItems(group, scroll.first, PaletteShownLast(scroll.first, scroll.last));
    main->SetPaletteSlider(scroll.last, scroll.first);
}

void CHOXDoc::ShowPaletteItems(int group, int first, int last)
{
    CMainFrame* main = PaletteFrame();
    if (main == nullptr) return;
    CMainFrame::PaletteItemMap& items = main->GetPaletteItems(group);
    for (int i = first; i <= last; ++i) {
        if (i < 0 || i > 0xFFFF) continue;
        const auto* item = items.Lookup(static_cast<WORD>(i));
        if (item == nullptr || !*item) continue;
        main->AddPaletteButton(group, (*item)->m_strCaption, (*item)->m_nID, i - first);
    }
}
