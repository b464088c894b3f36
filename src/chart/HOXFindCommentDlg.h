#pragma once
// "Find Symbol By Comment": asks for a comment and lets the document select
// every symbol that carries it.
#include "platform/Dialog.h"

class CHOXDoc;

class CHOXFindCommentDlg : public CDialog {
public:
    static constexpr UINT kTemplate = 2070;
    static constexpr int kCommentEdit = 8387;
    static constexpr int kFindButton = 8389;
    static constexpr int kCloseButton = 8391;
    static constexpr int kHelpButton = 8371;

    explicit CHOXFindCommentDlg(CHOXDoc* doc);

    // Searches with the comment, trimmed; closes when something was found.
    void OnFind();

private:
    // The comment field again, with its whole text selected.
    void RefocusComment();

    CHOXDoc* m_pDoc;
};
