#pragma once
// The string ids that more than one file uses, each named after its text
// (the table in res/StringTable.cpp holds the texts). A string used in one
// file only is named there.
#include "platform/Types.h"

// ---------------------------------------------------------------------------
// Documents and windows

// "Monitoring Window"
constexpr UINT IDS_MONITORING_WINDOW = 13001;
// "Untitled"
constexpr UINT IDS_UNTITLED = 13004;
// "hox"
constexpr UINT IDS_HOX_EXTENSION = 13005;
// "Add New Flow Chart"
constexpr UINT IDS_ADD_NEW_FLOW_CHART = 13014;
// "Update Subtask"
constexpr UINT IDS_UPDATE_SUBTASK = 13015;
// "Update Flow Chart"
constexpr UINT IDS_UPDATE_FLOW_CHART = 13016;
// "Add New Subtask"
constexpr UINT IDS_ADD_NEW_SUBTASK = 13017;
// "Program Title Exists"
constexpr UINT IDS_PROGRAM_TITLE_EXISTS = 13018;
// " - Monitor Mode"
constexpr UINT IDS_MONITOR_MODE_SUFFIX = 13196;
// "Cannot create more than 500 flow chart windows."
constexpr UINT IDS_TOO_MANY_FLOW_CHARTS = 13486;
// "ERROR : Number of Symbols exceeded the limit."
constexpr UINT IDS_TOO_MANY_SYMBOLS = 13646;
// "Subtask"
constexpr UINT IDS_SUBTASK_NAME = 20000;
// "Flow Chart"
constexpr UINT IDS_FLOW_CHART_NAME = 20001;
// "ZE-10RE"
constexpr UINT IDS_ONE_AXIS_MODEL_NAME = 13530;
// "Unknown"
constexpr UINT IDS_UNKNOWN_MODEL = 13532;

// ---------------------------------------------------------------------------
// Files

// "ERROR : Unable to open file."
constexpr UINT IDS_UNABLE_TO_OPEN_FILE = 13397;
// "Controller Type Mismatch . Aborting Import Operation.!!"
constexpr UINT IDS_IMPORT_TYPE_MISMATCH = 13619;
// "\nDo you want to continue ?"
constexpr UINT IDS_CONTINUE_QUESTION = 13491;
// "Command failed."
constexpr UINT IDS_COMMAND_FAILED = 61705;
// "Unexpected file format."
constexpr UINT IDS_UNEXPECTED_FILE_FORMAT = 61728;
// "An unexpected error occurred while writing %1."
constexpr UINT IDS_WRITE_FAILED = 61734;

// ---------------------------------------------------------------------------
// Placing, pasting and dropping symbols

// "ERROR:  Cannot draw out side the  Base Rectangle."
constexpr UINT IDS_OUTSIDE_SHEET = 13064;
// "ERROR : Start Symbol is already present in the Subtask Window."
constexpr UINT IDS_START_IN_SUBTASK = 13235;
// "ERROR:  Circular Code Symbol cannot be pasted .\n"
constexpr UINT IDS_CIRCULAR_REFUSED = 13236;
// "for RO-20ZU Independent Axis"
constexpr UINT IDS_CIRCULAR_FOR_TWO_AXES = 13237;
// "for ZE-10RE."
constexpr UINT IDS_CIRCULAR_FOR_ONE_AXIS = 13238;
// "ERROR:  Linear Code Symbol cannot be pasted for \nRO-20ZU Independent 2-Axis."
constexpr UINT IDS_LINEAR_REFUSED = 13239;
// "ERROR : Pointer number exceeds the Maximum limt.\nCan not create this symbol."
constexpr UINT IDS_CREATE_POINTER_EXCEEDS_LIMIT = 13240;
// "ERROR : Program number exceeds 99.\nCan not create this symbol."
constexpr UINT IDS_CREATE_PROGRAM_EXCEEDS_99 = 13268;
// "ERROR : Can not Paste START symbol.\nMaximum program number (99)  has been reached."
constexpr UINT IDS_PASTE_START_NO_PROGRAM_NUMBER = 13241;
// "ERROR : Pointer number  exceeds the Maximum limit."
constexpr UINT IDS_POINTER_EXCEEDS_LIMIT = 13265;
// "ERROR : Pointer number  exceeds the Maximum limit.\nCan not Paste this symbol."
constexpr UINT IDS_PASTE_POINTER_EXCEEDS_LIMIT = 13925;
// "ERROR : Cannot drop Y-axis Start Symbol in ZE-10RE program."
constexpr UINT IDS_DROP_Y_START_ON_ONE_AXIS = 13667;
// "ERROR : Cannot drop Start Symbol dragged from \nRO-20ZU Simultaneous."
constexpr UINT IDS_DROP_BOTH_AXES_START_ELSEWHERE = 13668;
// "ERROR : Cannot drop Start Symbol dragged from other \nDA-ZU type onto RO-20ZU Simultaneous."
constexpr UINT IDS_DROP_ONE_AXIS_START_ON_BOTH = 13669;
// "ERROR : Cannot paste Start Symbol copied from other \nDA-ZU type onto RO-20ZU Simultaneous."
constexpr UINT IDS_PASTE_ONE_AXIS_START_ON_BOTH = 13922;
// "ERROR : Cannot paste Start Symbol copied from \nRO-20ZU Simultaneous or Subtask window."
constexpr UINT IDS_PASTE_BOTH_AXES_START_ELSEWHERE = 13923;
// "ERROR : Cannot paste Y axis Start Symbol in ZE-10RE program."
constexpr UINT IDS_PASTE_Y_START_ON_ONE_AXIS = 13924;

// ---------------------------------------------------------------------------
// Program text

// ";"
constexpr UINT IDS_STATEMENT_END = 13090;
// " "
constexpr UINT IDS_OPERAND_GAP = 13091;
// "JMP(FNC04)"
constexpr UINT IDS_JMP_WORD = 13103;
// "  XAB"
constexpr UINT IDS_XAB_WORD = 13548;
// "Wrong combination of operands."
constexpr UINT IDS_WRONG_OPERAND_COMBINATION = 13468;
// "Excess operands."
constexpr UINT IDS_EXCESS_OPERANDS = 13470;
// " value out of range."
constexpr UINT IDS_VALUE_OUT_OF_RANGE = 13471;
// " value should be numeric."
constexpr UINT IDS_VALUE_NOT_NUMERIC = 13473;
// " value should be positive."
constexpr UINT IDS_VALUE_NOT_POSITIVE = 13476;

// ---------------------------------------------------------------------------
// Symbol dialogs

// "ERROR :  Invalid Source Data."
constexpr UINT IDS_INVALID_SOURCE_DATA = 13203;
// "ERROR : Invalid Destination Data."
constexpr UINT IDS_INVALID_DESTINATION_DATA = 13204;
// "ERROR : Invalid X-axis value. \nValid Range : -999999 ~ 999999"
constexpr UINT IDS_INVALID_X_VALUE = 13205;
// "ERROR : Invalid Y-axis value.\n Valid Range : -999999 ~ 999999"
constexpr UINT IDS_INVALID_Y_VALUE = 13206;
// "ERROR :  Invalid Speed value.\nValid Range : 0 ~ 200000."
constexpr UINT IDS_INVALID_SPEED_VALUE = 13207;
// "ERROR :  Invalid Value.  Valid Range for i  : -999999 ~ 999999."
constexpr UINT IDS_INVALID_I_VALUE = 13208;
// "ERROR :  Invalid Value.  Valid Range for J :  -999999 ~ 999999."
constexpr UINT IDS_INVALID_J_VALUE = 13209;
// "ERROR :  Invalid incremental value.\nValid Range for r : -999999 ~ 999999."
constexpr UINT IDS_INVALID_R_VALUE = 13210;
// "ERROR :  Invalid Digits."
constexpr UINT IDS_INVALID_DIGITS = 13221;
// "ERROR :  Invalid Data."
constexpr UINT IDS_INVALID_DATA = 13222;
// "ERROR :  Invalid Pointer number."
constexpr UINT IDS_INVALID_POINTER_NUMBER = 13227;
// "ERROR :  Pointer number is already exists."
constexpr UINT IDS_POINTER_NUMBER_EXISTS = 13230;
// "Source data cannot be empty."
constexpr UINT IDS_SOURCE_EMPTY = 13296;
// "Destination data cannot be empty."
constexpr UINT IDS_DESTINATION_EMPTY = 13297;
// " This Device type is not applicable for Source data."
constexpr UINT IDS_SOURCE_TYPE_NOT_APPLICABLE = 13298;
// " This Device type is not applicable for Destination data."
constexpr UINT IDS_DESTINATION_TYPE_NOT_APPLICABLE = 13299;
// "Valid Devices:: D,DD,V,Z"
constexpr UINT IDS_VALID_DEVICES_D_DD_V_Z = 13553;
// "ERROR: Valid Range :1-153000"
constexpr UINT IDS_RANGE_1_153000 = 13940;
// "ERROR :Valid Range: 1-200000"
constexpr UINT IDS_RANGE_1_200000 = 13941;

// ---------------------------------------------------------------------------
// Operands

// "ERROR : Invalid Device Number."
constexpr UINT IDS_INVALID_DEVICE_NUMBER = 13262;
// "ERROR: Invalid Index Register Number.\nValid Range : 0~7"
constexpr UINT IDS_INVALID_INDEX_REGISTER_NUMBER = 13295;
// " Index Number follows Index Registers ' V ' \\ ' Z '."
constexpr UINT IDS_INDEX_NUMBER_FOLLOWS_V_Z = 13333;
// " Invalid Index Number. Valid Range: 0~7"
constexpr UINT IDS_INVALID_INDEX_NUMBER = 13337;
// " Invalid Digit. For Devices other than KnX, KnY, KnM, Digit is 0."
constexpr UINT IDS_DIGIT_ONLY_FOR_KN = 13340;
// " Invalid Index Registers. Valid Indexes are NONE, ' V ' \\ ' Z '."
constexpr UINT IDS_INVALID_INDEX_REGISTERS = 13341;
// " Invalid Digit for 32 bit. Valid range is 1~8."
constexpr UINT IDS_INVALID_DIGIT_32_BIT = 13343;
// " Invalid Digit for 16 bit. Valid range is 1~4."
constexpr UINT IDS_INVALID_DIGIT_16_BIT = 13344;
// " No Digit applicable to this Device type."
constexpr UINT IDS_NO_DIGIT_FOR_DEVICE = 13345;
// " No Index Registers for this Device."
constexpr UINT IDS_NO_INDEX_FOR_DEVICE = 13346;
// " Invalid Digit for ZE-10RE. Valid Digit is 1 ~ 1."
constexpr UINT IDS_INVALID_DIGIT_ONE_AXIS = 13650;
// "ERROR: Invalid Data Register number: Valid Range is D0 TO D6999"
constexpr UINT IDS_INVALID_D_REGISTER = 13583;
// "ERROR: Invalid Data Register number: Valid is DD0 TO DD6998"
constexpr UINT IDS_INVALID_DD_REGISTER = 13584;
// "ERROR: Invalid Range for ZE-10RE 16 bit. Valid Range is: K1~K4."
constexpr UINT IDS_K_RANGE_ONE_AXIS_16_BIT = 13628;
// "ERROR: Invalid Range for ZE-10RE 32 bit. Valid Range is: K5~K6."
constexpr UINT IDS_K_RANGE_ONE_AXIS_32_BIT = 13629;
// "ERROR: Invalid Range for RO-20ZU 16 bit. Valid Range is: K1~K4 and K17~K20."
constexpr UINT IDS_K_RANGE_TWO_AXES_16_BIT = 13630;
// "ERROR: Invalid Range for RO-20ZU 32 bit. Valid Range is: K5~K8 and K21~K24."
constexpr UINT IDS_K_RANGE_TWO_AXES_32_BIT = 13631;
// "ERROR: Invalid Device Number. Valid Number is: K1,K2 or K17."
constexpr UINT IDS_K_NUMBER_1_2_17 = 13676;

// ---------------------------------------------------------------------------
// The controller

// "Erron opening in the communication port"
constexpr UINT IDS_PORT_OPEN_FAILED = 13900;
// "KZQW Device is not responding,Check Connections"
constexpr UINT IDS_CONTROLLER_NOT_RESPONDING = 13901;

// ---------------------------------------------------------------------------
// Devices of the controller

// "ERROR :  Invalid Device Type. "
constexpr UINT IDS_INVALID_DEVICE_TYPE = 13212;
// "ERROR : Invalid Device Number for Device type X.\nValid range :  0 ~ 3 and  375 ~ 377."
constexpr UINT IDS_INVALID_X_ONE_AXIS = 13282;
// "ERROR : Invalid Device Number for Device type Y.\nValid range : 0 ~ 5."
constexpr UINT IDS_INVALID_Y_ONE_AXIS = 13283;
// "ERROR : Invalid Device Number for Device type X.\nValid range :  0 ~ 7, 372 ~ 377 and 10 ~ 67 (octal)."
constexpr UINT IDS_INVALID_X_TWO_AXES = 13285;
// "ERROR : Invalid Device Number for Device type Y.\nValid range : 0 ~ 67 (Octal)."
constexpr UINT IDS_INVALID_Y_TWO_AXES = 13286;

// ---------------------------------------------------------------------------
// The monitor window

// "ERROR : This Manual Operation Object is already present in this window."
constexpr UINT IDS_MAN_OPERN_PRESENT = 13248;
