// The replies on the serial line: the input plays the controller's side of
// the line (LinkScript.h) under calls of the communication library that it
// chooses too. Every call must end within the attempts and time-outs the
// library promises, with a result of the code table (or the call's own
// failures), a code recorded after a failure, and nothing written into the
// caller's records by a failed call.
#include "FuzzSupport.h"
#include "LinkScript.h"

#include "online/comm/CommMan.h"
#include "online/comm/CommPort.h"

#include <cstddef>
#include <cstdint>
#include <memory>

using namespace kt::fuzz::link;

namespace {

// The input being played, and what its line saw of the current call.
Script* g_script = nullptr;
LineRecord g_record;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char*** argv)
{
    kt::fuzz::Initialise((*argv)[0]);
    CCommPort::SetTransportMaker([](const CCommPortSettings& settings) -> std::unique_ptr<CCommTransport> {
        if (g_script == nullptr) return nullptr;
        return std::make_unique<PlayedLine>(*g_script, settings, g_record);
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Script script(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    CCommPortSettings::Write(PortName(), LineSettings(script.U8()));
    g_script = &script;
    {
        CCommMan comm;
        if (const int code = comm.mfi_Open(PortName()); code != 0)
            kt::fuzz::Fail("the played line does not open", QString::number(code));
        // A bound for inputs that are all calls refused before they send.
        for (int calls = 0; calls < 256 && !script.AtEnd(); ++calls) {
            const Call call = ReadCall(script);
            g_record.Clear();
            int code = 0;
            QString why = MakeCall(comm, call, &code);
            if (why.isEmpty()) why = CheckAttempts(call, g_record, script.Size());
            if (!why.isEmpty())
                kt::fuzz::Fail("a call broke the library's promise",
                               QStringLiteral("call %1 (operation %2): ").arg(calls).arg(call.op) + why);
        }
    }
    g_script = nullptr;
    return 0;
}
