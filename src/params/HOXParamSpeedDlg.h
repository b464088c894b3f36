#pragma once
// "Parameter Speed ", per axis: maximum (4), jog (5) and bias (6) speeds,
// backlash (7), acceleration (8), deceleration (9) and interpolation (10)
// times, with a graph of the speed profile.
#include "params/HOXParamAxisDlg.h"
#include "params/HOXSpeedGraph.h"
#include "res/StringIds.h"

class CHOXParamSpeedDlg : public CHOXParamAxisDlg {
public:
    static constexpr UINT kTemplate = 2058;
    static constexpr int kMaxSpeed = 8860;
    static constexpr int kMaxSpeedUnit = 8861;
    static constexpr int kJogSpeed = 8862;
    static constexpr int kJogSpeedUnit = 8863;
    static constexpr int kBiasSpeed = 8864;
    static constexpr int kBiasSpeedUnit = 8865;
    static constexpr int kBacklash = 8866;
    static constexpr int kBacklashUnit = 8867;
    static constexpr int kInterpolation = 8868;
    static constexpr int kAccTime = 8869;
    static constexpr int kDecTime = 8870;
    static constexpr int kDraw = 8871;
    static constexpr int kGraph = 8872;

    // Messages of the checks (string ids).
    static constexpr UINT kMsgMax153000 = IDS_RANGE_1_153000;
    static constexpr UINT kMsgMax200000 = IDS_RANGE_1_200000;
    static constexpr UINT kMsgJog = 13942;
    static constexpr UINT kMsgBias153000 = 13943;
    static constexpr UINT kMsgBias200000 = 13944;

    explicit CHOXParamSpeedDlg(CHOXParam* param);

    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    const CHOXSpeedGraph& Graph() const { return m_graph; }

    std::int32_t m_nMaxSpeed = 0;
    std::int32_t m_nJogSpeed = 0;
    std::int32_t m_nBiasSpeed = 0;
    std::int32_t m_nBacklash = 0;
    std::int32_t m_nInterpolation = 0;
    std::int32_t m_nAccTime = 0;
    std::int32_t m_nDecTime = 0;

protected:
    void ShowAxis(int axis) override;
    void StoreAxis(int axis) override;
    void AxisShown() override;
    bool TakeFields() override;
    bool CheckFields() override;
    void WriteValues() override;

private:
    // "Dra&w": the checks (a failure shows its message), then the graph of
    // what the fields hold.
    void OnDraw();
    // The labels of the shown axis and the graph of the shown values.
    void DrawGraph();

    // Parameters 4 to 10 of both axes.
    std::array<AxisValues, 7> m_values{};
    CHOXSpeedGraph m_graph;
};
