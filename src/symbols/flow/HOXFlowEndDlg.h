#pragma once
// "END": the end kind of an END (m02 END or m102 SEND); the same dialog,
// titled "RET", edits the comment of a RET, which has no end kind.
#include "symbols/flow/HOXFlowSymbolDlg.h"

class CHOXFlowEnd;
class CHOXFlowRet;

class CHOXFlowEndDlg : public CHOXFlowSymbolDlg {
public:
    static constexpr UINT kTemplate = 2011;
    static constexpr int kEnd = 1581;
    static constexpr int kSend = 1582;

    explicit CHOXFlowEndDlg(CHOXFlowEnd* symbol);
    explicit CHOXFlowEndDlg(CHOXFlowRet* symbol);

    // 0 END, 1 SEND; an END that had none chosen (one the importer left
    // missing) takes its window's: SEND in the subtask, else END.
    std::int32_t GetEndKind() const { return m_nEndKind; }

    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

private:
    bool m_bRet = false;
    std::int32_t m_nEndKind = -1;
};
