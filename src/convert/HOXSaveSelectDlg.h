#pragma once
// "Save Select": asked before a modified document's program leaves it (the
// controller write, the text export). Saving first goes on only when the
// save succeeded; going on without saving and cancelling are the other ways
// out.
#include "platform/Dialog.h"

class CHOXDoc;
class CWnd;

class CHOXSaveSelectDlg : public CDialog {
public:
    // "&Write after saving file" is IDOK, "&Cancel to write" IDCANCEL.
    static constexpr int kWithoutSaving = 7;

    CHOXSaveSelectDlg(CHOXDoc* doc, CWnd* parent = nullptr);

    // Saves the document; the dialog stays open when that fails.
    void OnOK() override;
    void OnWithoutSaving();

private:
    CHOXDoc* m_pDoc;
};
