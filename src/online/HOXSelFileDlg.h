#pragma once
// "Select File": the document the controller's or an import text's program
// belongs to could not be used as it stands (no name, no such file, other
// contents). The line of the case is enabled; "&Apply the file" lets the
// user choose a document file, "&Not apply the file" goes on without one.
#include "platform/Dialog.h"

#include <QString>

#include <cstdint>

class CFrameWnd;

class CHOXSelFileDlg : public CDialog {
public:
    static constexpr UINT kTemplate = 387;
    static constexpr int kNoNameLine = 1574;
    static constexpr int kNotFoundLine = 1575;
    static constexpr int kMismatchLine = 1576;

    explicit CHOXSelFileDlg(CFrameWnd* parent = nullptr);

    bool OnInitDialog() override;
    // "&Apply the file": a document file chosen ends the dialog with IDOK;
    // a cancelled choice keeps it open.
    void OnOK() override;

    // 0 no valid file name, 1 the file is not in the current folder, 2 its
    // contents do not match.
    void SetState(std::int32_t state) { m_nState = state; }
    void SetFileName(const QString& name) { m_strFileName = name; }
    // TRUE when the name came from the controller, FALSE from a text file.
    void SetFromController(bool fromController) { m_nFromController = fromController ? 1 : 0; }
    QString GetSelectedPath() const { return m_strSelectedPath; }

private:
    std::int32_t m_nState = 0;
    QString m_strFileName;
    QString m_strMessage;
    std::int32_t m_nFromController = 1;
    QString m_strSelectedPath;
};
