#pragma once
// The controller's state as mfi_Status reads it; 1 is yes, 0 no.
class CCommStatusInfo {
public:
    int m_xReady = 0;         // X axis ready (not busy)
    int m_writePermitted = 0; // program writing permitted
    int m_yReady = 0;         // Y axis ready (not busy)
    int m_notAuto = 0;        // not in auto mode
};
