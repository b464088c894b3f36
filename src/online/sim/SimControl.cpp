#include "online/sim/SimControl.h"

#include "online/comm/CommProtocol.h"
#include "online/sim/SimController.h"
#include "online/sim/SimFaults.h"
#include "online/sim/SimServer.h"

namespace {

const QString kOk = QStringLiteral("ok");

QStringList Error(const QString& why) { return {QStringLiteral("error ") + why}; }

bool Number(const QString& text, int& value)
{
    bool ok = false;
    value = text.toInt(&ok, 0);
    return ok;
}

bool Flag(const QString& text, bool& on)
{
    int value = 0;
    if (!Number(text, value) || (value != 0 && value != 1)) return false;
    on = value == 1;
    return true;
}

} // namespace

CSimControl::CSimControl(CSimController& controller, CSimFaults& faults, CSimServer& server)
    : m_controller(controller), m_faults(faults), m_server(server)
{
}

QStringList CSimControl::Fault(const QStringList& words)
{
    CSimFault fault;
    if (words.size() < 2 || !CSimFault::KindOfName(words[1], fault.m_kind)) return Error(QStringLiteral("fault kind"));
    for (qsizetype i = 2; i < words.size(); ++i) {
        const QString key = words[i].section(QLatin1Char('='), 0, 0);
        const QString value = words[i].section(QLatin1Char('='), 1);
        bool ok = true;
        if (key == QLatin1String("op")) {
            fault.m_command = commproto::CommandOfName(value);
            ok = fault.m_command >= 0;
        } else if (key == QLatin1String("skip")) {
            ok = Number(value, fault.m_skip);
        } else if (key == QLatin1String("count")) {
            ok = Number(value, fault.m_count);
        } else if (key == QLatin1String("value")) {
            ok = Number(value, fault.m_value);
        } else {
            ok = false;
        }
        if (!ok) return Error(words[i]);
    }
    m_faults.Add(fault);
    return {kOk};
}

QStringList CSimControl::Execute(const QString& line)
{
    const QStringList words = line.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.isEmpty()) return Error(QStringLiteral("empty"));
    const QString& command = words[0];
    int a = 0;
    int b = 0;
    bool on = false;
    if (command == QLatin1String("fault")) return Fault(words);
    if (command == QLatin1String("clear")) {
        m_faults.Clear();
        return {kOk};
    }
    if (command == QLatin1String("pace")) {
        if (words.size() == 2 && words[1] == QLatin1String("off")) {
            m_server.SetPacing(false);
            return {kOk};
        }
        if (words.size() != 3 || !Number(words[1], a) || !Number(words[2], b) || a <= 0 || b < 0)
            return Error(QStringLiteral("pace"));
        m_server.SetLine(a, b);
        m_server.SetPacing(true);
        return {kOk};
    }
    if (command == QLatin1String("switch")) {
        static const std::pair<const char*, CSimController::Switch> kSwitches[] = {
            {"auto", CSimController::Auto},
            {"writable", CSimController::WritePermitted},
            {"readyx", CSimController::ReadyX},
            {"readyy", CSimController::ReadyY},
            {"defined", CSimController::ParamsDefined},
            {"responding", CSimController::Responding},
        };
        if (words.size() != 3 || !Flag(words[2], on)) return Error(QStringLiteral("switch"));
        for (const auto& [name, which] : kSwitches) {
            if (words[1] == QLatin1String(name)) {
                m_controller.SetSwitch(which, on);
                return {kOk};
            }
        }
        return Error(words[1]);
    }
    if (command == QLatin1String("model")) {
        if (words.size() != 2 || !Flag(words[1], on)) return Error(QStringLiteral("model"));
        m_controller.SetModel(on ? 1 : 0);
        return {kOk};
    }
    if (command == QLatin1String("inputs")) {
        std::array<int, 6> inputs{};
        if (words.size() != 8 || !Number(words[1], a)) return Error(QStringLiteral("inputs"));
        for (std::size_t i = 0; i < inputs.size(); ++i)
            if (!Number(words[static_cast<qsizetype>(i) + 2], inputs[i])) return Error(QStringLiteral("inputs"));
        m_controller.SetManualInputs(a, inputs);
        return {kOk};
    }
    if (command == QLatin1String("step")) {
        if (words.size() != 3 || !Number(words[1], a)) return Error(QStringLiteral("step"));
        if (words[2] == QLatin1String("off"))
            m_controller.SetTaskStep(a, std::nullopt);
        else if (Number(words[2], b))
            m_controller.SetTaskStep(a, b);
        else
            return Error(QStringLiteral("step"));
        return {kOk};
    }
    if (command == QLatin1String("engine")) {
        bool ok = false;
        const double rate = words.size() == 2 ? words[1].toDouble(&ok) : 0;
        if (!ok || rate < 0) return Error(QStringLiteral("engine"));
        m_controller.SetEnginePace(rate);
        return {kOk};
    }
    if (command == QLatin1String("readback")) {
        if (words.size() == 2 && words[1] == QLatin1String("written")) {
            m_controller.SetReadBack(CSimController::AsWritten);
            return {kOk};
        }
        if (words.size() == 2 && words[1] == QLatin1String("listing")) {
            m_controller.SetReadBack(CSimController::Listing);
            return {kOk};
        }
        return Error(QStringLiteral("readback"));
    }
    if (command == QLatin1String("program")) {
        return {QStringLiteral("bytes %1 sum %2")
                    .arg(m_controller.ProgramText().size())
                    .arg(m_controller.ChecksumFlag() ? 1 : 0),
                kOk};
    }
    if (command == QLatin1String("log")) {
        QStringList lines;
        for (const CSimRequest& request : m_controller.Log().Entries()) lines << request.ToText();
        lines << kOk;
        return lines;
    }
    if (command == QLatin1String("reset")) {
        m_controller.Reset();
        m_faults.Clear();
        return {kOk};
    }
    if (command == QLatin1String("quit")) {
        m_quit = true;
        m_server.Stop();
        return {kOk};
    }
    return Error(command);
}
