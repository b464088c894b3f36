#pragma once
// What one axis executes (mfi_GetProgInfo).
class CCommProgInfo {
public:
    int m_programNo = -1; // program number, -1 when none was started
    int m_mCode = 0;      // current M code
    int m_errorCode = 0;  // error code
};
