#pragma once
// What every parameter dialog shares: the edited values of both axes held
// apart from the set until OK, the axis tab (" X", and " Y" on the two-axis
// types), the field checks run when a tab is left and on OK, whose first
// failure names its field, the spin buttons of I/O numbers that step in
// octal, and Help.
#include "platform/Dialog.h"

#include "chart/ControllerType.h"

#include <QString>

#include <array>
#include <cstdint>

class CHOXParam;

// The values of one parameter for the X (0) and Y (1) axes.
using AxisValues = std::array<std::int32_t, 2>;

// How a spin button of an I/O number steps beside its plain step of one.
struct ParamSpinSteps {
    // Stepping skips the numbers with a last digit 8 or 9.
    bool octal = false;
    // Two ranges of valid numbers: stepping up from the top of the lower one
    // goes to the bottom of the upper one, and back down; -1 for one range.
    int lowerTop = -1;
    int upperBottom = -1;
};

class CHOXParamDlg : public CDialog {
public:
    static constexpr int kTabCtrl = 8700;
    static constexpr int kHelpButton = 8701;

    using SpinSteps = ParamSpinSteps;
    // The step a spin button takes from pos instead of delta.
    static int AdjustStep(const SpinSteps& steps, int pos, int delta);

    // Messages of the field checks (string ids).
    static constexpr UINT kMsgOctal = 13870;
    static constexpr UINT kMsgRange3And375 = 13871;
    static constexpr UINT kMsgRange3 = 13872;
    static constexpr UINT kMsgRange5 = 13873;
    static constexpr UINT kMsgRange5Is = 13874;
    static constexpr UINT kMsgOctal67And372To377 = 13875;
    static constexpr UINT kMsgOctal67And372To374 = 13876;
    static constexpr UINT kMsgOctal67 = 13877;
    static constexpr UINT kMsgOctal57 = 13878;
    static constexpr UINT kMsgOctal66 = 13879;
    static constexpr UINT kMsgOctal65 = 13880;
    static constexpr UINT kMsgRange255 = 13881;
    static constexpr UINT kMsgRange7 = 13882;
    static constexpr UINT kMsgIntegerTo = 13883;

    bool OnInitDialog() override;
    void OnOK() override;

    CHOXParam* GetParamSet() const { return m_pParam; }
    // The axis shown: 0 X, 1 Y.
    int GetAxis() const { return m_nAxis; }

protected:
    CHOXParamDlg(UINT templateId, CHOXParam* param);

    bool IsOneAxis() const;
    // The axes the dialog edits: 1 on the one-axis type, else 2.
    int AxisCount() const { return IsOneAxis() ? 1 : 2; }
    // Both axes of a parameter (the Y value only on the two-axis types).
    AxisValues Load(UINT number) const;
    void Write(UINT number, int axis, std::int32_t value);

    // Spin ranges by controller type and what the fields show at the start.
    virtual void SetupControls() {}
    // The buffers of an axis into the display fields, and back.
    virtual void ShowAxis(int axis) = 0;
    virtual void StoreAxis(int axis) = 0;
    // Fields follow their switches, as the controls show them.
    virtual void UpdateEnabling() {}
    // The values of an axis are on show (at the start and on entering a
    // tab): labels and drawings that follow the axis.
    virtual void AxisShown() {}
    // The shown values from the controls: the data exchange, then the
    // dialog's checks; false after the first failure was shown.
    virtual bool TakeFields();
    // The dialog's checks in order; false after the first failure was shown.
    virtual bool CheckFields() { return true; }
    // The buffers into the set.
    virtual void WriteValues() = 0;
    // What OK does short of ending the dialog: the shown values pass and go
    // into their buffers, and the buffers into the set. False, and nothing
    // written, when a check fails.
    bool CommitValues();

    // A failed check: the message with an exclamation mark, then the field
    // takes the focus with its whole text selected. Always false.
    bool Fail(int id, const QString& message);
    bool Fail(int id, UINT messageId);
    // A last digit of 8 or 9 fails with "Please enter octal values".
    bool CheckOctalDigit(int id, std::int32_t value);
    // Sets the range of a spin button and how it steps.
    void SetSpin(int id, int low, int high, SpinSteps steps = {});
    void EnableAll(std::initializer_list<int> ids, bool enable);

private:
    // The shown values pass the data exchange and the checks and go into the
    // buffers of the shown axis; false leaves everything where it is.
    bool LeaveAxis();
    void EnterAxis(int axis);

    CHOXParam* m_pParam;
    int m_nAxis = axis::kX;
};
