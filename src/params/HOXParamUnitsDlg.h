#pragma once
// "Parameter Units", per axis: the system of units (0), pulse rate (1), feed
// rate (2), minimum command unit (3) and the length unit. On the Motor system
// positions are in pulses: the rates and the length unit do not apply.
#include "params/HOXParamAxisDlg.h"

#include <QStringList>

class CHOXParamUnitsDlg : public CHOXParamAxisDlg {
public:
    static constexpr UINT kTemplate = 2057;
    // "&System Of Units", in the order of the parameter 0 values 2, 1, 0.
    static constexpr int kMechanicalMotor = 8840;
    static constexpr int kMotor = 8841;
    static constexpr int kMechanical = 8842;
    // "S&ystem Units", for the length units 0, 1, 2.
    static constexpr int kMillimetre = 8843;
    static constexpr int kDegree = 8844;
    static constexpr int kInch = 8845;
    static constexpr int kCommandUnit = 8846;
    static constexpr int kPulseRate = 8847;
    static constexpr int kPulseUnit = 8848;
    static constexpr int kFeedRate = 8849;
    static constexpr int kFeedUnit = 8850;

    explicit CHOXParamUnitsDlg(CHOXParam* param);

    void DoDataExchange(CDataExchange* pDX) override;

    // The "MIN Command &Unit" texts of a system and length unit, in the
    // order of the sorted list; parameter 3 is 3 minus the position.
    static QStringList CommandUnitTexts(std::int32_t system, std::int32_t lengthUnit);

    std::int32_t m_nPulseRate = 0;
    std::int32_t m_nFeedRate = 0;

protected:
    void ShowAxis(int axis) override;
    void StoreAxis(int axis) override;
    void AxisShown() override;
    bool TakeFields() override;
    void WriteValues() override;

private:
    // The system chosen by the buttons, -1 when none is.
    std::int32_t ChosenSystem() const;
    bool IsMotorChosen() const { return ChosenSystem() == 1; }
    // The controls follow the chosen system; the list is rebuilt.
    void ApplySystem();
    // The list holds the texts of the chosen system and the axis's unit, and
    // selects the usual one.
    void RebuildList();
    void ChooseUnit(std::int32_t unit);
    // Parameter 3 of the axis from the list's selection; kept when nothing
    // is selected, which a stored code outside 0 to 3 leads to.
    void TakeCommandUnit(int axis);

    // Parameters 0 to 3 of both axes.
    std::array<AxisValues, 4> m_values{};
    // The length unit of each axis: the stored one, 0 for a Motor axis.
    AxisValues m_lengthUnit{};
};
