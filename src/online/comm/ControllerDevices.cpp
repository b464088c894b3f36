#include "online/comm/ControllerDevices.h"

namespace ctrldev {

bool IsKnownCode(int code) { return code >= M && code <= Z; }

bool IsBitCode(int code) { return code >= M && code <= X; }

bool IsKnownIndex(int index) { return index == kNoIndex || (index >= 0 && index < kZIndexBase + kIndexRegisters); }

int ValueWidth(int code, int index)
{
    const bool narrow = (code >= M && code <= DFile) || code == V;
    return narrow && index == kNoIndex ? 2 : 4;
}

int RegistersPerValue(int code) { return code == DD || code == DDSpecial || code == DDFile || code == Z ? 2 : 1; }

bool IsValidDevice(int code, int count, bool oneAxis, int fileRegisters)
{
    if (count < 0) return false;
    switch (code) {
    case M: return count <= 511;
    case MSpecial: return count <= 175;
    case X: // octal 0-3 and 375-377 on one axis; 0-67 and 372-377 on two
        return oneAxis ? count <= 3 || (count >= 0375 && count <= 0377)
                       : count <= 067 || (count >= 0372 && count <= 0377);
    case Y: return oneAxis ? count <= 5 : count <= 067;
    case D:
    case DD: return count <= (oneAxis ? 1999 : 3999);
    case DSpecial:
    case DDSpecial: return count <= (oneAxis ? 313 : 599);
    case DFile:
    case DDFile: return count < fileRegisters;
    case V:
    case Z: return count < kIndexRegisters;
    default: return false;
    }
}

bool IsWriteProtected(std::int64_t number, bool wide)
{
    const auto one = [](std::int64_t n) {
        if (n < kSpecialBase) return false;
        if (n == 9000 || n == 9004 || n == 9005 || n == 9010 || n == 9014 || n == 9015 || n == 9023 || n == 9025)
            return false;
        if ((n >= 9120 && n <= 9129) || (n >= 9140 && n <= 9163)) return false;
        return true;
    };
    return one(number) || (wide && one(number + 1));
}

int OctalDigitsToCount(int number)
{
    if (number < 0) return -1;
    int count = 0;
    int weight = 1;
    for (int rest = number; rest > 0; rest /= 10, weight *= 8) {
        const int digit = rest % 10;
        if (digit > 7) return -1;
        count += digit * weight;
    }
    return count;
}

int TransferBlockSize(int block)
{
    switch (block) {
    case kBlockCommon: return 12;
    case kBlockAxisA:
    case kBlockAxisB: return 27;
    default: return 0;
    }
}

} // namespace ctrldev
