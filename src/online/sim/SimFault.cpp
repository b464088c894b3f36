#include "online/sim/SimFault.h"

namespace {
struct KindText {
    CSimFault::Kind kind;
    const char* name;
};
constexpr KindText kKinds[] = {
    {CSimFault::LostByte, "lost"},
    {CSimFault::BadChecksum, "badsum"},
    {CSimFault::SlowReply, "slow"},
    {CSimFault::NoReply, "noreply"},
    {CSimFault::Cut, "cut"},
    {CSimFault::Silence, "silence"},
    {CSimFault::ForcedResult, "result"},
};
} // namespace

QString CSimFault::KindName(Kind kind)
{
    for (const KindText& k : kKinds)
        if (k.kind == kind) return QString::fromLatin1(k.name);
    return {};
}

bool CSimFault::KindOfName(const QString& name, Kind& kind)
{
    for (const KindText& k : kKinds) {
        if (name.compare(QLatin1String(k.name), Qt::CaseInsensitive) == 0) {
            kind = k.kind;
            return true;
        }
    }
    return false;
}
