#include "app/ProgramState.h"

ProgramState& Program()
{
    static ProgramState state;
    return state;
}
