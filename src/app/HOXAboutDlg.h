#pragma once
// Help > About: the program's name, its version and the link it speaks to
// the controller.
#include "platform/Dialog.h"

#include <QString>

class CWnd;

class CHOXAboutDlg : public CDialog {
public:
    static constexpr UINT kTemplate = 100;
    static constexpr int kVersionText = 8700;

    explicit CHOXAboutDlg(CWnd* parent = nullptr);

    bool OnInitDialog() override;

    // "Version" and the build's version number.
    static QString VersionText();
};
