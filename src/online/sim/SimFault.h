#pragma once
// One fault the simulated controller is told to make: what goes wrong, on
// which requests.
#include <QString>

class CSimFault {
public:
    enum Kind {
        LostByte,     // one byte in the middle of the reply is not sent
        BadChecksum,  // the reply's crc is damaged
        SlowReply,    // the reply comes m_value ms late
        NoReply,      // the request is carried out, the reply not sent
        Cut,          // m_value bytes of the reply are sent, then the line is cut
        Silence,      // the request is neither carried out nor answered
        ForcedResult, // the reply carries the result m_value, nothing is done
    };

    Kind m_kind = NoReply;
    int m_command = -1; // one command, or -1 for every command but Sync
    int m_skip = 0;     // matching requests that pass untouched first
    int m_count = 1;    // matching requests it hits; 0: until cleared
    int m_value = 0;

    // "lost", "badsum", "slow", "noreply", "cut", "silence", "result".
    static QString KindName(Kind kind);
    static bool KindOfName(const QString& name, Kind& kind);
};
