#include "online/comm/CommProtocol.h"

#include <array>

namespace commproto {

namespace {

constexpr std::array<quint16, 256> MakeCrcTable()
{
    std::array<quint16, 256> table{};
    for (int i = 0; i < 256; ++i) {
        quint16 crc = static_cast<quint16>(i << 8);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x8000) != 0 ? static_cast<quint16>((crc << 1) ^ 0x1021) : static_cast<quint16>(crc << 1);
        table[static_cast<std::size_t>(i)] = crc;
    }
    return table;
}

constexpr std::array<quint16, 256> kCrcTable = MakeCrcTable();

struct CommandInfo {
    int command;
    const char* name;
    int maxReply; // payload bytes, result included
};

constexpr int kResult = 2;
constexpr CommandInfo kCommands[] = {
    {Sync, "Sync", kResult + 4},
    {GetKZQWType, "GetKZQWType", kResult + 4},
    {Status, "Status", kResult + 16},
    {Diagnosis, "Diagnosis", kResult + 16},
    {InitiateKZQW, "InitiateKZQW", kResult},
    {SetFileName, "SetFileName", kResult},
    {GetFileName, "GetFileName", kResult + 2 + kMaxFileName},
    {WriteParams, "WriteParams", kResult},
    {ReadParams, "ReadParams", kResult + 2 + 27 * 4},
    {WriteProgramBegin, "WriteProgramBegin", kResult},
    {WriteProgramBlock, "WriteProgramBlock", kResult},
    {WriteProgramEnd, "WriteProgramEnd", kResult},
    {ReadProgramBegin, "ReadProgramBegin", kResult + 6},
    {ReadProgramBlock, "ReadProgramBlock", kResult + kProgramBlock},
    {CreateSum, "CreateSum", kResult + 4},
    {ReadMonitoringInfo, "ReadMonitoringInfo", kResult + 28},
    {ReadCurrentPos, "ReadCurrentPos", kResult + 8},
    {GetKZQWStatus, "GetKZQWStatus", kResult + 16},
    {GetManInputStatus, "GetManInputStatus", kResult + 24},
    {GetProgInfo, "GetProgInfo", kResult + 12},
    {ReadDevice, "ReadDevice", kResult + kMaxDeviceCount * 4},
    {WriteDevice, "WriteDevice", kResult},
    {SetOperation, "SetOperation", kResult},
    {ResetOperation, "ResetOperation", kResult},
    {WriteCurrentPos, "WriteCurrentPos", kResult},
    {WriteManualOprn, "WriteManualOprn", kResult},
};

const CommandInfo* Find(int command)
{
    for (const CommandInfo& info : kCommands)
        if (info.command == command) return &info;
    return nullptr;
}

} // namespace

quint16 Crc16(const char* data, qsizetype size)
{
    quint16 crc = 0xFFFF;
    for (qsizetype i = 0; i < size; ++i) {
        const auto byte = static_cast<quint8>(data[i]);
        crc = static_cast<quint16>((crc << 8) ^ kCrcTable[static_cast<std::size_t>(((crc >> 8) ^ byte) & 0xFF)]);
    }
    return crc;
}

QByteArray EncodeFrame(int seq, int command, const QByteArray& payload)
{
    QByteArray frame;
    frame.reserve(kFrameOverhead + payload.size());
    frame.append(kStartMark);
    frame.append(static_cast<char>(seq & 0xFF));
    frame.append(static_cast<char>(command & 0xFF));
    frame.append(static_cast<char>(payload.size() & 0xFF));
    frame.append(static_cast<char>((payload.size() >> 8) & 0xFF));
    frame.append(payload);
    const quint16 crc = Crc16(frame.constData() + 1, frame.size() - 1);
    frame.append(static_cast<char>(crc >> 8));
    frame.append(static_cast<char>(crc & 0xFF));
    return frame;
}

QString CommandName(int command)
{
    const CommandInfo* info = Find(command);
    return info != nullptr ? QString::fromLatin1(info->name) : QString();
}

int CommandOfName(const QString& name)
{
    for (const CommandInfo& info : kCommands)
        if (name.compare(QLatin1String(info.name), Qt::CaseInsensitive) == 0) return info.command;
    return -1;
}

bool IsKnownCommand(int command) { return Find(command) != nullptr; }

int MaxReplyPayload(int command)
{
    const CommandInfo* info = Find(command);
    return info != nullptr ? info->maxReply : kMaxPayload;
}

std::int64_t WireTimeUs(std::int64_t bytes, int baud)
{
    if (baud <= 0) return 0;
    return bytes * 10 * 1000000 / baud;
}

} // namespace commproto
