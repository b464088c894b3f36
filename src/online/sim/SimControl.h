#pragma once
// The line commands of the simulator's control socket. Each command gives
// zero or more lines of data and then "ok" or "error <reason>".
//   fault <lost|badsum|slow|noreply|cut|silence|result> [op=<operation>]
//         [skip=<n>] [count=<n>] [value=<n>]   count 0: until cleared
//   clear                        no faults any more
//   pace off | pace <baud> <turnaround ms>
//   switch <auto|writable|readyx|readyy|defined|responding> <0|1>
//   model <0|1>                  one-axis or two-axis controller, power-on
//   inputs <axis> <dog> <start> <stop> <zrn> <fwd> <rvs>
//   step <task 0|1|2> <step|off> engine <statements a second>
//   readback <written|listing>
//   program                      "bytes <n> sum <0|1>"
//   log                          one line per request carried out
//   reset                        power-on controller, no faults, empty log
//   quit
#include <QString>
#include <QStringList>

#include <atomic>

class CSimController;
class CSimFaults;
class CSimServer;

class CSimControl {
public:
    CSimControl(CSimController& controller, CSimFaults& faults, CSimServer& server);

    QStringList Execute(const QString& line);
    bool QuitRequested() const { return m_quit; }

private:
    QStringList Fault(const QStringList& words);

    CSimController& m_controller;
    CSimFaults& m_faults;
    CSimServer& m_server;
    std::atomic<bool> m_quit{false};
};
