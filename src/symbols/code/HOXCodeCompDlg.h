#pragma once
// "COMPENSATION": the compensation instruction (movement, radius or centre
// correction, or correction cancel) with its operands; the property dialog of
// the compensation symbol, and the chooser of the compensation that a travel
// instruction carries in combination, where only what suits the owner can be
// chosen.
#include "symbols/code/HOXCodeDlg.h"

#include "res/StringIds.h"

class CHOXCodeComp;

class CHOXCodeCompDlg : public CHOXCodeDlg {
public:
    static constexpr UINT kTemplate = 2030;
    static constexpr int kMovement = 8236;
    static constexpr int kRadius = 8192;
    static constexpr int kCentre = 8242;
    static constexpr int kCancel = 8248;
    static constexpr int kXBox = 8131;
    static constexpr int kYBox = 8137;
    static constexpr int kIBox = 8153;
    static constexpr int kJBox = 8162;
    static constexpr int kX = 8135;
    static constexpr int kY = 8142;
    static constexpr int kR = 8167;
    static constexpr int kI = 8157;
    static constexpr int kJ = 8165;
    static constexpr int kXButton = 8210;
    static constexpr int kYButton = 8215;
    static constexpr int kRButton = 8461;
    static constexpr int kIButton = 8464;
    static constexpr int kJButton = 8220;
    static constexpr UINT kMsgX = IDS_INVALID_X_VALUE;
    static constexpr UINT kMsgY = IDS_INVALID_Y_VALUE;
    static constexpr UINT kMsgI = IDS_INVALID_I_VALUE;
    static constexpr UINT kMsgJ = IDS_INVALID_J_VALUE;
    static constexpr UINT kMsgR = IDS_INVALID_R_VALUE;

    // The compensation symbol's own setting; radius and centre correction
    // only where both axes move together.
    explicit CHOXCodeCompDlg(CHOXCodeComp* symbol);
    // The compensation of a combination, for its owner: radius or centre
    // correction only for a CIR, by its form.
    CHOXCodeCompDlg(const CHOXCompSetting& setting, bool centreAllowed, bool radiusAllowed, CHOXDoc* doc, bool fromCir);

    int GetDialogKind() const override { return 730; }
    CHOXCompSetting GetCompSetting() const override { return m_setting; }

    // The setting as the combination's chooser opens it for its owner: the
    // kind its owner's form asks for (unless cancelled), and one operand
    // where the axes are driven one at a time.
    static void AdjustForCombination(CHOXCompSetting& setting, bool radiusAllowed, bool centreAllowed,
                                     std::int32_t controllerType);

    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

protected:
    bool CheckAfterMcode() override;

private:
    void Connect();
    // The controls of one kind's group: enabled by the used flags, or all off.
    void EnableGroup(int kind, bool enable);
    void OnKindRadio(int kind);
    void OnAxisBox(bool first);
    void OnCentreBox(bool first);
    void OnRegisterButton(QString& text, bool first);
    bool CheckField(int id, const QString& text, bool first, UINT message);

    CHOXCompSetting m_setting;
    std::int32_t m_bCombination = 0;
    std::int32_t m_bRadiusAllowed = 1;
    std::int32_t m_bCentreAllowed = 1;
    std::int32_t m_bFromCir = 0;
    std::int32_t m_nKind = CHOXCompSetting::kMovc;
    QString m_strI;
    QString m_strJ;
    QString m_strX;
    QString m_strY;
    QString m_strR;
};
