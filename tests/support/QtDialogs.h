#pragma once
// The program's dialogs on the real widgets: a dialog runner installed for
// the life of the object (the previous one back afterwards), and the
// template dialog that is shown.
#include "platform/Dialog.h"
#include "platform/ui/QtDialogSite.h"

#include <QApplication>
#include <QWidget>

namespace kt::test {

class InstalledRunner {
public:
    explicit InstalledRunner(DialogRunner* runner) : m_previous(GetDialogRunner()) { SetDialogRunner(runner); }
    ~InstalledRunner() { SetDialogRunner(m_previous); }
    InstalledRunner(const InstalledRunner&) = delete;
    InstalledRunner& operator=(const InstalledRunner&) = delete;

private:
    DialogRunner* m_previous;
};

// The template dialog shown on the screen, null when none is.
inline TemplateDialog* ShownTemplateDialog()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<TemplateDialog*>(w); dialog != nullptr && dialog->isVisible()) return dialog;
    return nullptr;
}

} // namespace kt::test
