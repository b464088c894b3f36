// The program's texts, kept to the byte (double blanks and spelling included):
// stored documents, the controller and the user's habits rely on them.
// Keep the entries sorted by id; a test checks it.
#include "res/StringTable.h"

const StringEntry kStringTable[] = {
    {2, "RQT4P-VEDID-E"},
    {101, "OLE initialization failed.  Make sure that the OLE libraries are the correct version."},
    {13004, "Untitled"},
    {13005, "hox"},
    {13006, " - "},
    {57344, "RQT4P-VEDID-E"},
    // The framework's own validation messages.
    {61712, "Please enter an integer."},
    {61714, "Please enter an integer between %1 and %2."},
    {61716, "Please enter no more than %1 characters."},
};

const std::size_t kStringTableSize = sizeof(kStringTable) / sizeof(kStringTable[0]);
