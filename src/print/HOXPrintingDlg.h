#pragma once
// The window that stands while a run prints: the document's title, the page
// printed, and Cancel, which asks the run to stop after the page.
#include "platform/Dialog.h"

class CHOXPrintingDlg : public CDialog {
public:
    static constexpr UINT kTemplate = 30722;
    static constexpr int kDocumentName = 201;
    static constexpr int kPageNumber = 204;

    CHOXPrintingDlg();

    // The program's name as the caption, centred.
    bool OnInitDialog() override;
    // Enter does not stop the run.
    void OnOK() override {}
    void OnCancel() override;
};
