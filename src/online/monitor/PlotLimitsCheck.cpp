#include "online/monitor/PlotLimitsCheck.h"

#include "platform/Dialog.h"
#include "platform/Messages.h"

namespace plotlimits {

QString XMessage() { return QStringLiteral("ERROR : X Positive Value should be greater than X Negative value."); }

QString YMessage() { return QStringLiteral("ERROR : Y Positive Value should be greater than Y Negative value."); }

bool Check(CDialog& dialog, std::int32_t positive, std::int32_t negative, const QString& message, int negativeEdit)
{
    if (positive > negative) return true;
    AfxMessageBox(message, MB_OK | MB_ICONHAND);
    dialog.GotoDlgCtrl(negativeEdit);
    if (dialog.Site() != nullptr) dialog.Site()->SetSel(negativeEdit, 0, -1);
    return false;
}

} // namespace plotlimits
