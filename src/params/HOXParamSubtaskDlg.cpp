#include "params/HOXParamSubtaskDlg.h"

#include "chart/DeviceRanges.h"

CHOXParamSubtaskDlg::CHOXParamSubtaskDlg(CHOXParam* param) : CHOXParamDlg(kTemplate, param)
{
    m_nStart = Load(104)[0];
    const std::int32_t startInput = Load(105)[0];
    // The input shows in the field of the stored choice; the other shows 0.
    if (m_nStart == 1) m_nStartInput = startInput;
    if (m_nStart == 2) m_nStartEither = startInput;
    m_nStop = Load(106)[0];
    if (m_nStop == 1) m_nStopInput = Load(107)[0];
    m_nError = Load(108)[0];
    m_nErrorOutput = Load(109)[0];
    m_nStep = Load(110)[0];
    if (m_nStep == 1) m_nStepInput = Load(111)[0];
    for (int id :
         {kStartManual, kStartInput, kStartEither, kStopManual, kStopInput, kStepRelay, kStepInput, kErrorCheck})
        OnClicked(id, [this] { UpdateEnabling(); });
}

void CHOXParamSubtaskDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Radio(pDX, kStartManual, m_nStart);
    DDX_Text(pDX, kStartInputField, m_nStartInput);
    DDX_Text(pDX, kStartEitherField, m_nStartEither);
    DDX_Radio(pDX, kStopManual, m_nStop);
    DDX_Text(pDX, kStopField, m_nStopInput);
    DDX_Radio(pDX, kStepRelay, m_nStep);
    DDX_Text(pDX, kStepField, m_nStepInput);
    DDX_Check(pDX, kErrorCheck, m_nError);
    DDX_Text(pDX, kErrorField, m_nErrorOutput);
}

void CHOXParamSubtaskDlg::SetupControls()
{
    // The one-axis type has inputs 0 to 3 and 375 to 377; the two-axis types
    // 0 to 67 and 372 to 377, in octal.
    const SpinSteps input =
        IsOneAxis() ? SpinSteps{.lowerTop = devices::kLastLowXOneAxis, .upperBottom = devices::kFirstHighXOneAxis}
                    : SpinSteps{.octal = true,
                                .lowerTop = devices::kLastOctalTwoAxes,
                                .upperBottom = devices::kFirstHighXTwoAxes};
    for (int id : {kStartInputSpin, kStartEitherSpin, kStopSpin, kStepSpin}) SetSpin(id, 0, devices::kLastXY, input);
    SetSpin(kErrorSpin, 0, devices::LastY(IsOneAxis()), {.octal = true});
}

void CHOXParamSubtaskDlg::UpdateEnabling()
{
    EnableAll({kStartInputField, kStartInputSpin}, IsDlgButtonChecked(kStartInput) != 0);
    EnableAll({kStartEitherField, kStartEitherSpin}, IsDlgButtonChecked(kStartEither) != 0);
    EnableAll({kStopField, kStopSpin}, IsDlgButtonChecked(kStopInput) != 0);
    EnableAll({kStepField, kStepSpin}, IsDlgButtonChecked(kStepInput) != 0);
    EnableAll({kErrorField, kErrorSpin}, IsDlgButtonChecked(kErrorCheck) != 0);
}

bool CHOXParamSubtaskDlg::CheckInput(int id, std::int32_t value)
{
    if (IsOneAxis()) return devices::InXBlocks(value, true) || Fail(id, kMsgRange3And375);
    if (!devices::InXBlocks(value, false)) return Fail(id, kMsgOctal67And372To377);
    return CheckOctalDigit(id, value);
}

bool CHOXParamSubtaskDlg::CheckFields()
{
    if (m_nStart == 1 && !CheckInput(kStartInputField, m_nStartInput)) return false;
    if (m_nStart == 2 && !CheckInput(kStartEitherField, m_nStartEither)) return false;
    if (m_nStop == 1 && !CheckInput(kStopField, m_nStopInput)) return false;
    if (m_nStep == 1 && !CheckInput(kStepField, m_nStepInput)) return false;
    if (m_nError == 0) return true;
    if (IsOneAxis()) return m_nErrorOutput >= 0 && m_nErrorOutput <= 5 ? true : Fail(kErrorField, kMsgRange5);
    if (m_nErrorOutput < 0 || m_nErrorOutput > 67) return Fail(kErrorField, kMsgOctal67);
    return CheckOctalDigit(kErrorField, m_nErrorOutput);
}

void CHOXParamSubtaskDlg::WriteValues()
{
    Write(104, 0, m_nStart);
    if (m_nStart == 1) Write(105, 0, m_nStartInput);
    if (m_nStart == 2) Write(105, 0, m_nStartEither);
    Write(106, 0, m_nStop);
    if (m_nStop == 1) Write(107, 0, m_nStopInput);
    Write(108, 0, m_nError);
    if (m_nError != 0) Write(109, 0, m_nErrorOutput);
    Write(110, 0, m_nStep);
    if (m_nStep == 1) Write(111, 0, m_nStepInput);
}
