#pragma once
// The colour dialog. The application shows the system's; the tests answer
// from a script.
#include "platform/Types.h"

#include <optional>

struct ColorDialogRequest {
    COLORREF initial = 0; // the colour the dialog starts with
};

class ColorDialogRunner {
public:
    virtual ~ColorDialogRunner() = default;
    // The chosen colour, or nothing when the user cancelled.
    virtual std::optional<COLORREF> Run(const ColorDialogRequest& request) = 0;
};

void SetColorDialogRunner(ColorDialogRunner* runner);
ColorDialogRunner* GetColorDialogRunner();

// A colour dialog run as the program's dialogs are: DoModal answers IDOK with
// the chosen colour, IDCANCEL when the user cancelled (or no dialog can be
// shown).
class CColorDialog {
public:
    explicit CColorDialog(COLORREF initial = 0) : m_color(initial) {}
    int DoModal();
    COLORREF GetColor() const { return m_color; }

private:
    COLORREF m_color;
};
