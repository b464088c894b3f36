#pragma once
// The manual inputs of one axis (mfi_GetManInputStatus); 1 is on.
class CCommManInputStat {
public:
    int m_dog = 0;
    int m_start = 0;
    int m_stop = 0;
    int m_zrn = 0;
    int m_fwd = 0;
    int m_rvs = 0;
};
