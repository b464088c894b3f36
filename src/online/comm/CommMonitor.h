#pragma once
// The monitoring record of one polling cycle (mfi_ReadMonitoringInfo).
class CCommMonitor {
public:
    int m_plotX = 0;    // plot sample: X position in command units
    int m_plotY = 0;    // plot sample: Y position in command units (0 on one axis)
    int m_pulseX = 0;   // X position in pulses
    int m_pulseY = 0;   // Y position in pulses
    int m_stepX = -1;   // running step of the X program, -1 when none runs
    int m_stepY = -1;   // running step of the Y program
    int m_stepSub = -1; // running step of the subtask
};
