#include "app/HOXLogoDlg.h"

#include "platform/Resources.h"

CHOXLogoDlg::CHOXLogoDlg() : CDialog(2002) {}

bool CHOXLogoDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    const QImage logo = LoadBitmapResource(4088);
    // Without its picture the dialog stays empty until it is dismissed.
    if (logo.isNull()) return false;
    Site()->SetTopmost(true);
    Site()->SetClientImage(logo);
    Site()->CenterOnScreen();
    m_nTimer = kTimerId;
    SetTimer(kTimerId, kTimerPeriod);
    return true;
}

void CHOXLogoDlg::OnTimer(UINT timerId)
{
    if (timerId != kTimerId) return;
    KillTimer(kTimerId);
    EndDialog(IDOK);
}

void CHOXLogoDlg::OnKeyDown(int) { EndDialog(IDOK); }

void CHOXLogoDlg::OnMouseButtonDown(int button)
{
    // The three usual buttons only; the side buttons of some mice are left
    // alone.
    if (button == Qt::LeftButton || button == Qt::RightButton || button == Qt::MiddleButton) EndDialog(IDOK);
}
