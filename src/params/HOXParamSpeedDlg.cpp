#include "params/HOXParamSpeedDlg.h"

#include "params/ParamUnits.h"

CHOXParamSpeedDlg::CHOXParamSpeedDlg(CHOXParam* param) : CHOXParamAxisDlg(kTemplate, AxisPage::Speed, param)
{
    for (std::size_t i = 0; i < m_values.size(); ++i) m_values[i] = Load(4 + static_cast<UINT>(i));
    OnClicked(kDraw, [this] { OnDraw(); });
}

bool CHOXParamSpeedDlg::OnInitDialog()
{
    m_graph.SubclassDlgItem(kGraph, this);
    return CHOXParamAxisDlg::OnInitDialog();
}

void CHOXParamSpeedDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, kMaxSpeed, m_nMaxSpeed);
    DDX_Text(pDX, kJogSpeed, m_nJogSpeed);
    DDX_Text(pDX, kBiasSpeed, m_nBiasSpeed);
    DDX_Text(pDX, kBacklash, m_nBacklash);
    DDV_MinMaxInt(pDX, m_nBacklash, 0, 65535);
    DDX_Text(pDX, kInterpolation, m_nInterpolation);
    DDV_MinMaxInt(pDX, m_nInterpolation, 0, 5000);
    DDX_Text(pDX, kAccTime, m_nAccTime);
    DDV_MinMaxInt(pDX, m_nAccTime, 0, 5000);
    DDX_Text(pDX, kDecTime, m_nDecTime);
    DDV_MinMaxInt(pDX, m_nDecTime, 0, 5000);
}

void CHOXParamSpeedDlg::ShowAxis(int axis)
{
    const auto a = static_cast<std::size_t>(axis);
    m_nMaxSpeed = m_values[0][a];
    m_nJogSpeed = m_values[1][a];
    m_nBiasSpeed = m_values[2][a];
    m_nBacklash = m_values[3][a];
    m_nAccTime = m_values[4][a];
    m_nDecTime = m_values[5][a];
    m_nInterpolation = m_values[6][a];
}

void CHOXParamSpeedDlg::StoreAxis(int axis)
{
    const auto a = static_cast<std::size_t>(axis);
    m_values[0][a] = m_nMaxSpeed;
    m_values[1][a] = m_nJogSpeed;
    m_values[2][a] = m_nBiasSpeed;
    m_values[3][a] = m_nBacklash;
    m_values[4][a] = m_nAccTime;
    m_values[5][a] = m_nDecTime;
    m_values[6][a] = m_nInterpolation;
}

void CHOXParamSpeedDlg::AxisShown() { DrawGraph(); }

bool CHOXParamSpeedDlg::TakeFields()
{
    // Leaving a tab draws what the fields hold, passed or not.
    const bool taken = CHOXParamAxisDlg::TakeFields();
    DrawGraph();
    return taken;
}

bool CHOXParamSpeedDlg::CheckFields()
{
    // Speeds of the Mechanical system are in length units per minute.
    const bool lengthSpeeds = StoredSystem(GetAxis()) == paramunits::kMechanical;
    const std::int32_t highest = lengthSpeeds ? 153000 : 200000;
    if (m_nMaxSpeed < 1 || m_nMaxSpeed > highest) return Fail(kMaxSpeed, lengthSpeeds ? kMsgMax153000 : kMsgMax200000);
    if (m_nJogSpeed < 1 || m_nJogSpeed > m_nMaxSpeed) return Fail(kJogSpeed, kMsgJog);
    if (m_nBiasSpeed < 0 || m_nBiasSpeed > highest)
        return Fail(kBiasSpeed, lengthSpeeds ? kMsgBias153000 : kMsgBias200000);
    return true;
}

void CHOXParamSpeedDlg::OnDraw()
{
    if (UpdateData(true)) CheckFields();
    DrawGraph();
}

void CHOXParamSpeedDlg::DrawGraph()
{
    const int axis = GetAxis();
    const QString speed = SpeedLabel(axis);
    for (int id : {kMaxSpeedUnit, kJogSpeedUnit, kBiasSpeedUnit}) SetDlgItemText(id, speed);
    SetDlgItemText(kBacklashUnit, BacklashLabel(axis));
    m_graph.SetProfile({m_nMaxSpeed, m_nBiasSpeed, m_nAccTime, m_nDecTime});
}

void CHOXParamSpeedDlg::WriteValues()
{
    for (int axis = 0; axis < AxisCount(); ++axis)
        for (std::size_t i = 0; i < m_values.size(); ++i)
            Write(4 + static_cast<UINT>(i), axis, m_values[i][static_cast<std::size_t>(axis)]);
}
