#include "app/ProgramState.h"

#include <QRandomGenerator>

ProgramState& Program()
{
    static ProgramState state;
    return state;
}

std::uint32_t ProgramInstanceId()
{
    static const std::uint32_t id = [] {
        std::uint32_t value = 0;
        while (value == 0) value = QRandomGenerator::system()->generate();
        return value;
    }();
    return id;
}
