#include "online/HOXDiagnosisDlg.h"

#include "online/comm/CommDiag.h"
#include "platform/Help.h"
#include "platform/Strings.h"
#include "res/StringIds.h"

namespace {
constexpr UINT kMsgOneAxisModel = IDS_ONE_AXIS_MODEL_NAME;
constexpr UINT kMsgUnknown = IDS_UNKNOWN_MODEL;
} // namespace

CHOXDiagnosisDlg::CHOXDiagnosisDlg(const CCommDiag& diag, CWnd*)
    : CDialog(kTemplate), m_nCapacity(diag.m_capacity), m_strModel(ModelName(diag.m_model)),
      m_strVersion(VersionText(diag.m_version)), m_strCassette(CassetteName(diag.m_cassette))
{
    OnClicked(kHelpButton, [this] { OnHelp(); });
}

void CHOXDiagnosisDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, kCapacityEdit, m_nCapacity);
    DDX_Text(pDX, kModelEdit, m_strModel);
    DDX_Text(pDX, kVersionEdit, m_strVersion);
    DDX_Text(pDX, kCassetteEdit, m_strCassette);
}

void CHOXDiagnosisDlg::OnHelp() { OpenHelp(HID_BASE_RESOURCE + kTemplate); }

QString CHOXDiagnosisDlg::ModelName(int model)
{
    switch (model) {
    case 0: return LoadStr(kMsgOneAxisModel);
    case 1: return QStringLiteral("ZU(Z)-20OD");
    default: return LoadStr(kMsgUnknown);
    }
}

QString CHOXDiagnosisDlg::VersionText(int version) { return QString::asprintf("%.2f", version * 0.01); }

QString CHOXDiagnosisDlg::CassetteName(int cassette)
{
    switch (cassette) {
    case 0: return QStringLiteral("Protected");
    case 1: return QStringLiteral("Non Protected");
    case 2: return QStringLiteral("No Cassette");
    default: return LoadStr(kMsgUnknown);
    }
}
