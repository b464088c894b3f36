// STAND-IN until the axis parameter dialogs land: their entry points open a
// bare frame under each dialog's template id and caption, with OK and Cancel,
// so that the code dialogs' parameter buttons have somewhere to go. The axis
// dialogs replace this whole file.
#include "params/HOXParam.h"

#include "app/HOXDoc.h"
#include "platform/Dialog.h"

namespace {
std::shared_ptr<const DialogTemplate> Frame(UINT id, const char* caption)
{
    const QString json = QStringLiteral(R"({"id": %1, "caption": "%2", "size": [160, 40], "buttons": [
        {"id": 1, "kind": "button", "text": "OK", "default": true, "group": true},
        {"id": 2, "kind": "button", "text": "Cancel"}]})")
                             .arg(id)
                             .arg(QLatin1String(caption));
    return DialogTemplate::Parse(json.toUtf8(), nullptr);
}

void RunFrame(CHOXParam* param, UINT id, const char* caption)
{
    CDialog dlg(Frame(id, caption));
    if (dlg.DoModal() == IDOK && param->GetDocument() != nullptr) param->GetDocument()->SetModifiedFlag(true);
}
} // namespace

void CHOXParam::EditUnits() { RunFrame(this, 2057, "Parameter Units"); }
void CHOXParam::EditSettings() { RunFrame(this, 2056, "Parameter Settings"); }
void CHOXParam::EditMachineZero() { RunFrame(this, 2053, "Parameter Machine Zero"); }
