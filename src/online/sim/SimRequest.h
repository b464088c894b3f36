#pragma once
// One request the simulated controller carried out, as its log keeps it.
#include <QString>

#include <cstdint>
#include <vector>

class CSimRequest {
public:
    QString m_operation;                   // "WriteDevice"
    std::vector<std::int32_t> m_arguments; // the request's numbers, in order
    int m_axis = -1;                       // the axis it names, -1 when none
    int m_client = 0;                      // the CCommMan object that asked
    // "WriteDevice 4 100 -1 1 axis -1 client 3"
    QString ToText() const;
};
