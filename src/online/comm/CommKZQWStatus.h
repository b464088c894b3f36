#pragma once
// The status signals of one axis (mfi_GetKZQWStatus); 1 is on.
class CCommKZQWStatus {
public:
    int m_ready = 0;
    int m_completed = 0;
    int m_error = 0;
    int m_zeroCompleted = 0;
};
