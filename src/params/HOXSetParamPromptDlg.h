#pragma once
// "Set Parameter": the file registers an operand names are not set up; the
// user may open the system parameters from here.
#include "platform/Dialog.h"

class CHOXDoc;

class CHOXSetParamPromptDlg : public CDialog {
public:
    static constexpr UINT kTemplate = 2081;
    static constexpr int kParameterButton = 8626;

    explicit CHOXSetParamPromptDlg(CHOXDoc* doc);

    // Runs the system parameters of the document, then ends with IDOK
    // whatever they ended with.
    void OnParameter();

private:
    CHOXDoc* m_pDoc;
};
