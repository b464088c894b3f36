#pragma once
// The controller's identity as mfi_Diagnosis reads it.
class CCommDiag {
public:
    int m_capacity = 0; // memory capacity
    int m_model = 0;    // 0 one-axis, 1 two-axis
    int m_version = 0;  // version times 100
    int m_cassette = 0; // memory cassette: 0 protected, 1 not protected, 2 none
};
