#pragma once
// "Diagnosis Dialog": what the controller reports about itself, shown once:
// memory capacity, model, version and memory cassette.
#include "platform/Dialog.h"

#include <QString>

#include <cstdint>

class CCommDiag;
class CWnd;

class CHOXDiagnosisDlg : public CDialog {
public:
    static constexpr UINT kTemplate = 2065;
    static constexpr int kCapacityEdit = 8529;
    static constexpr int kModelEdit = 8009;
    static constexpr int kVersionEdit = 8013;
    static constexpr int kCassetteEdit = 8014;
    static constexpr int kHelpButton = 8443;

    CHOXDiagnosisDlg(const CCommDiag& diag, CWnd* parent = nullptr);

    void DoDataExchange(CDataExchange* pDX) override;
    // "&Close": nothing to take back.
    void OnOK() override { EndDialog(IDOK); }
    void OnHelp();

    // Model 0 "ZE-10RE", 1 "ZU(Z)-20OD", any other "Unknown".
    static QString ModelName(int model);
    // The version times 100 as "1.10".
    static QString VersionText(int version);
    // 0 "Protected", 1 "Non Protected", 2 "No Cassette", any other "Unknown".
    static QString CassetteName(int cassette);

    std::int32_t m_nCapacity = 0;
    QString m_strModel;
    QString m_strVersion;
    QString m_strCassette;
};
