// The link-reply target's seeds (Seeds.h): sessions of the calls the
// program's controller operations make, against the simulated controller
// inside the program, with its replies recorded as the steps that play them
// back.
#include "FuzzSupport.h"
#include "LinkScript.h"
#include "Seeds.h"

#include "app/HOXDoc.h"
#include "convert/EverythingChart.h"
#include "convert/HOXProgReader.h"
#include "online/comm/CommMan.h"
#include "online/comm/CommPort.h"
#include "online/comm/ControllerDevices.h"
#include "online/sim/SimHost.h"

#include <cstdio>
#include <memory>
#include <vector>

namespace kt::fuzz {

namespace {

using link::Call;

Call Make(int op, int a = 0, int b = 0, int c = 0, std::int32_t value = 0, QByteArray text = {})
{
    Call call;
    call.op = op;
    call.a = a;
    call.b = b;
    call.c = c;
    call.value = value;
    call.text = std::move(text);
    return call;
}

QByteArray Record(const std::vector<Call>& calls)
{
    link::ScriptWriter out;
    // The default line: 19200 bit/s, 200 ms.
    out.U8(0);
    CCommPortSettings::Write(link::PortName(), link::LineSettings(0));
    CCommPort::SetTransportMaker([&out](const CCommPortSettings& settings) -> std::unique_ptr<CCommTransport> {
        return std::make_unique<link::RecordedLine>(out, settings.m_speed);
    });
    {
        CCommMan comm;
        if (comm.mfi_Open(link::PortName()) != 0) Fail("the simulated controller does not open");
        for (const Call& call : calls) {
            link::WriteCall(out, call);
            int code = 0;
            const QString why = link::MakeCall(comm, call, &code);
            if (!why.isEmpty() || code != 0)
                Fail("a recorded call fails", QStringLiteral("operation %1: %2 %3").arg(call.op).arg(code).arg(why));
        }
    }
    CCommPort::SetTransportMaker({});
    return out.Result();
}

} // namespace

void WriteLinkSeeds(const QDir& corpus)
{
    if (!corpus.mkpath(QStringLiteral("link-reply"))) Fail("cannot make", corpus.filePath(QStringLiteral("link-reply")));
    CSimHost::Instance().Reset();
    CSimHost::Instance().Server().SetPacing(false);

    CHOXDoc doc;
    kt::test::BuildEverything(doc, 2);
    const QByteArray program = CHOXProgReader::GenerateDocumentProgram(&doc).toLatin1();
    const QByteArray name("everything2.hox");
    const int memory = CSimHost::Instance().Controller().Memory();

    // Blocks 112 to 114 (a of 0 to 2) for the axes they have.
    std::vector<Call> write = {Make(link::kGetKZQWType), Make(link::kStatus),
                               Make(link::kSetFileName, 0, 0, 0, 0, name)};
    std::vector<Call> read = {Make(link::kGetKZQWType), Make(link::kGetFileName)};
    for (const auto& [a, b] : {std::pair{0, 0}, {1, 0}, {2, 0}, {1, 1}, {2, 1}}) {
        write.push_back(Make(link::kWriteParams, a, b, 7));
        read.push_back(Make(link::kReadParams, a, b));
    }
    write.push_back(Make(link::kWriteProgram, 0, 0, 0, memory, program));
    write.push_back(Make(link::kCreateSum));
    read.push_back(Make(link::kReadProgram));
    read.push_back(Make(link::kDiagnosis));

    constexpr int kNoIndex = 255;
    const std::vector<Call> monitor = {
        Make(link::kReadMonitoringInfo),
        Make(link::kReadCurrentPos, 0),
        Make(link::kGetKZQWStatus, 0),
        Make(link::kGetKZQWStatus, 1),
        Make(link::kGetManInputStatus, 0),
        Make(link::kGetProgInfo, 1),
        Make(link::kReadDevice, ctrldev::D, kNoIndex, 4, 0),
        Make(link::kWriteDevice, ctrldev::DD, kNoIndex, 2, 10),
        Make(link::kReadDevice, ctrldev::D, 8, 3, 20),
        Make(link::kSetOperation, ctrldev::M, 0, 0, 100),
        Make(link::kResetOperation, ctrldev::M, 0, 0, 100),
        Make(link::kWriteCurrentPos, 0, 0, 0, 1234),
        Make(link::kWriteManualOprn, 72),
        Make(link::kReopen),
        Make(link::kGetKZQWType),
        Make(link::kInitiateKZQW),
    };
    const struct {
        const char* name;
        const std::vector<Call>& calls;
    } sessions[] = {{"write", write}, {"read", read}, {"monitor", monitor}};
    for (const auto& session : sessions) {
        const QByteArray script = Record(session.calls);
        const QString path = corpus.filePath(QStringLiteral("link-reply/%1.bin").arg(QLatin1String(session.name)));
        WriteSeedFile(path, script);
        std::printf("link session %s: %s (%lld bytes)\n", session.name, qPrintable(path),
                    static_cast<long long>(script.size()));
    }
    CSimHost::Instance().Reset();
}

} // namespace kt::fuzz
