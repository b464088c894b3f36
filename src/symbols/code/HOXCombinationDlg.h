#pragma once
// "Combination settings": the instructions a travel instruction carries with
// it, edited for the code dialog that opens this one: an addressing
// instruction, a compensation instruction (chosen through "COMPENSATION") and
// a servo end check, each only where the owner offers it.
#include "platform/Dialog.h"
#include "res/CommandIds.h"
#include "symbols/operand/HOXCompSetting.h"

#include <cstdint>

class CHOXCodeDlg;

class CHOXCombinationDlg : public CDialog {
public:
    static constexpr UINT kTemplate = 2034;
    static constexpr int kAddressing = 8140;
    static constexpr int kAbsolute = 8143;
    static constexpr int kIncrement = 8146;
    static constexpr int kCompensation = 8149;
    static constexpr int kSelect = 8151;
    static constexpr int kEndCheck = 8152;
    static constexpr int kHelp = ID_HELP;
    // The owners whose servo end check is edited here: LINE and CIR.
    static constexpr int kLineKind = 723;
    static constexpr int kCirKind = 724;

    // Starts from the owner's combination.
    CHOXCombinationDlg(CHOXCodeDlg* owner, bool offerAddressing, bool offerCompensation, bool offerEndCheck);

    // The results the owner takes after OK.
    std::int32_t GetAddressing() const { return m_bAddressing; }
    std::int32_t GetIncremental() const { return m_nIncremental; }
    std::int32_t GetCompensation() const { return m_bCompensation; }
    CHOXCompSetting GetCompSetting() const { return m_setting; }
    std::int32_t GetEndCheck() const { return m_bEndCheck; }

    bool OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnSelect();

private:
    // Which corrections the owner's form allows: radius and centre
    // correction for a CIR by its form, neither for the others.
    struct Allowed {
        bool radius = false;
        bool centre = false;
        bool fromCir = false;
    };
    Allowed AllowedForOwner() const;
    void OnAddressing();
    void OnCompensation();

    CHOXCodeDlg* m_pOwner;
    std::int32_t m_bOfferAddressing;
    std::int32_t m_bOfferCompensation;
    std::int32_t m_bOfferEndCheck;
    std::int32_t m_bAddressing = 0;
    std::int32_t m_nIncremental = 0;
    std::int32_t m_bCompensation = 0;
    CHOXCompSetting m_setting;
    std::int32_t m_bEndCheck = 0;
    // The setting came back from "COMPENSATION" with OK.
    bool m_bChosen = false;
};
