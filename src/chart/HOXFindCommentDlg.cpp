#include "chart/HOXFindCommentDlg.h"

#include "app/HOXDoc.h"
#include "platform/Help.h"
#include "platform/Strings.h"

namespace {
constexpr UINT kMsgEnterComment = 13885;
constexpr UINT kMsgNotFound = 13886;
} // namespace

CHOXFindCommentDlg::CHOXFindCommentDlg(CHOXDoc* doc) : CDialog(kTemplate), m_pDoc(doc)
{
    OnClicked(kFindButton, [this] { OnFind(); });
    OnClicked(kCloseButton, [this] { EndDialog(IDOK); });
    OnClicked(kHelpButton, [this] { OpenHelp(HID_BASE_RESOURCE + kTemplate); });
}

void CHOXFindCommentDlg::OnFind()
{
    const QString comment = GetDlgItemText(kCommentEdit).trimmed();
    if (comment.isEmpty()) {
        AfxMessageBox(kMsgEnterComment, MB_OK | MB_ICONEXCLAMATION);
        GotoDlgCtrl(kCommentEdit);
        return;
    }
    if (m_pDoc != nullptr && m_pDoc->FindSymbolByComment(comment)) {
        EndDialog(IDOK);
        return;
    }
    AfxMessageBox(kMsgNotFound, MB_OK | MB_ICONEXCLAMATION);
    RefocusComment();
}

void CHOXFindCommentDlg::RefocusComment()
{
    GotoDlgCtrl(kCommentEdit);
    Site()->SetSel(kCommentEdit, 0, -1);
}
