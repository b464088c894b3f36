#pragma once
// What the "Device Status" dialog accepts as the first device of an object,
// how its spin steps from one device that exists to the next, and which
// buffer memory of the positioning unit a column of devices is read from or
// written to by the companion RA-ZUZ. Device types are the operands' (D 1,
// V 8, Z 9, X 10, Y 11, M 12); X and Y numbers are held as written (X17 is
// 17). Nothing here reads a dialog or a document.
#include "platform/Types.h"

#include <QString>

#include <cstdint>

namespace devstat {

// What the rules need of the controller: the model and parameter 101, the
// number of file registers.
struct Model {
    bool oneAxis = false;
    std::int32_t fileRegisters = 0;
};

// "D" 1, "V" 8, "Z" 9, "X" 10, "Y" 11, "M" 12, anything else 0.
std::int32_t TypeOfName(const QString& name);

// The highest number the spin goes to (the lowest is 0).
std::int32_t SpinHighest(std::int32_t type, const Model& model);

// Where the spin goes from pos by one step up (delta > 0) or down: the
// nearest number beyond pos that exists, with 16 points the nearest group
// top; pos itself when there is none.
std::int32_t Step(std::int32_t type, std::int32_t pos, int delta, bool sixteenPoints, const Model& model);

// The first device of a column that exists, as the type's check and, with
// 16 points, the group rule take it. No index is judged.
bool IsValidTop(std::int32_t type, std::int32_t number, bool sixteenPoints, const Model& model);

// The settings the dialog checks, its device name as the user left it.
struct Entry {
    QString name;
    std::int32_t number = 0;
    std::int32_t indexKind = 0;
    std::int32_t indexNumber = 0;
    bool sixteenPoints = false;
};

// The message of the first check that fails, in the dialog's order: the
// name, the type's numbers (the index of a D among them), then the group of
// 16 points. Empty when every check passes.
QString Check(const Entry& entry, const Model& model);

// The buffer memory for a column of the type from `number`: a word device's
// own number; with 16 points an M group's, X0's, X372's (X375's on the one
// axis model) and Y0's. -1 for a column that has none.
std::int32_t BufferMemory(std::int32_t type, std::int32_t number, bool sixteenPoints, const Model& model);

// Which of the two RA-ZUZ buttons a column allows: D from D100 (reading not
// D4000 to D6999), V and Z, and X, Y and M as a group of 16 with a buffer
// memory.
struct KzPlcButtons {
    bool read = false;
    bool write = false;
};
KzPlcButtons Buttons(std::int32_t type, std::int32_t number, bool sixteenPoints, const Model& model);

} // namespace devstat
