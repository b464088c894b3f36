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
    {13064, "ERROR:  Cannot draw out side the  Base Rectangle."},
    {13065, "ERROR: Can not exceeds horizontal scroll limit."},
    {13066, "ERROR: Can not exceeds Vertial scroll limit."},
    {13090, ";"},
    {13100, "CALL(FNC02)"},
    {13102, "RET(FNC03)"},
    {13103, "JMP(FNC04)"},
    {13196, " - Monitor Mode"},
    {13530, "ZE-10RE"},
    {13532, "Unknown"},
    {13536, "ZA-20VI ZOZ"},
    {13537, "DO-20VI RER"},
    {13646, "ERROR : Number of Symbols exceeded the limit."},
    {13647, "ERROR : Number of Wires exceeded the limit."},
    {13648, "ERROR : Number of OLE Objects exceeded the limit."},
    {13649, "ERROR : Number of Monitor Device Status Indication Objects exceeded the limit."},
    {20000, "Subtask"},
    {20001, "Flow Chart"},
    {57344, "RQT4P-VEDID-E"},
    // The framework's own messages.
    {61697, "Failed to open document."},
    {61698, "Failed to save document."},
    {61712, "Please enter an integer."},
    {61714, "Please enter an integer between %1 and %2."},
    {61716, "Please enter no more than %1 characters."},
    {61728, "Unexpected file format."},
    {61729, "%1\nCannot find this file.\nPlease verify that the correct path and file name are given."},
    {61733, "An unexpected error occurred while reading %1."},
    {61734, "An unexpected error occurred while writing %1."},
};

const std::size_t kStringTableSize = sizeof(kStringTable) / sizeof(kStringTable[0]);
