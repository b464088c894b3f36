#pragma once
// The ids of resources, commands and controls that more than one file uses:
// the menus, accelerators and toolbars name them, and the handlers, update
// handlers and bars answer to them. A command's prompt text in the string
// table has the command's id. The controls of a dialog are named by its
// class.
//
// The framework's own ids that the platform handles itself are named there:
// the recent files (kFirstRecentFileCommand) and the window list
// (kFirstWindowListCommand) in platform/MenuResource.h, the system close
// command (SC_CLOSE) in platform/MDI.h.
#include "platform/Types.h"

// ---------------------------------------------------------------------------
// Resources

// The main window: its menu without a document, its title string and the
// standard toolbar (with the zoom box).
constexpr UINT IDR_MAINFRAME = 2;
// The menus of the two kinds of chart frame.
constexpr UINT IDR_FLOWCHART = 1002;
constexpr UINT IDR_MONITOR = 1003;
// The workspace tree's item menu.
constexpr UINT IDR_WORKSPACE_MENU = 1004;
// The drawing toolbar of the monitor window and the controller toolbar.
constexpr UINT IDR_DRAWING_BAR = 1005;
constexpr UINT IDR_CONTROLLER_BAR = 1007;
// The bar of the print preview window; its help is the window's.
constexpr UINT IDR_PREVIEW_BAR = 30721;

// ---------------------------------------------------------------------------
// Commands of the framework

constexpr UINT ID_FILE_NEW = 57600;
constexpr UINT ID_FILE_OPEN = 57601;
constexpr UINT ID_FILE_SAVE = 57603;
constexpr UINT ID_FILE_SAVE_AS = 57604;
constexpr UINT ID_FILE_PRINT_SETUP = 57606;
constexpr UINT ID_FILE_PRINT = 57607;
// The shell's print: no dialog, the default printer.
constexpr UINT ID_FILE_PRINT_DIRECT = 57608;
constexpr UINT ID_FILE_PRINT_PREVIEW = 57609;
constexpr UINT ID_EDIT_COPY = 57634;
constexpr UINT ID_EDIT_CUT = 57635;
constexpr UINT ID_EDIT_PASTE = 57637;
constexpr UINT ID_EDIT_SELECT_ALL = 57642;
constexpr UINT ID_EDIT_UNDO = 57643;
constexpr UINT ID_EDIT_REDO = 57644;
constexpr UINT ID_WINDOW_CASCADE = 57650;
constexpr UINT ID_WINDOW_TILE_HORZ = 57651;
constexpr UINT ID_APP_ABOUT = 57664;
constexpr UINT ID_APP_EXIT = 57665;
// Help > Contents.
constexpr UINT ID_HELP_FINDER = 57667;
// Shift+F1.
constexpr UINT ID_CONTEXT_HELP = 57669;
// F1.
constexpr UINT ID_HELP = 57670;
constexpr UINT ID_DEFAULT_HELP = 57671;
constexpr UINT ID_OLE_INSERT_NEW = 57856;
constexpr UINT ID_VIEW_TOOLBAR = 59392;
constexpr UINT ID_VIEW_STATUS_BAR = 59393;

// ---------------------------------------------------------------------------
// Commands of the program

// The Escape accelerator.
constexpr UINT ID_CANCEL_EDIT = 32003;
constexpr UINT ID_EDIT_DELETE = 32004;
constexpr UINT ID_VIEW_DRAWING_BAR = 32005;
// The symbol palette's bars.
constexpr UINT ID_VIEW_ACCESSORIES_BAR = 32006;
constexpr UINT ID_PARAM_SYSTEM = 32008;
constexpr UINT ID_PARAM_SUBTASK = 32009;
constexpr UINT ID_PARAM_UNITS = 32010;
constexpr UINT ID_PARAM_SPEED = 32012;
constexpr UINT ID_PARAM_MACHINE_ZERO = 32013;
constexpr UINT ID_PARAM_SETTINGS = 32014;
constexpr UINT ID_COM_PORT = 32015;
constexpr UINT ID_PARAM_INITIALIZE = 32016;
constexpr UINT ID_PARAM_SHOW_ALL = 32017;
constexpr UINT ID_WINDOW_CLOSE_ALL = 32019;
constexpr UINT ID_DRAW_LINE = 32020;
constexpr UINT ID_USED_MEMORY = 32021;
constexpr UINT ID_DRAW_RECT = 32022;
constexpr UINT ID_DRAW_OVAL = 32023;
constexpr UINT ID_LINE_THIN = 32024;
constexpr UINT ID_LINE_MEDIUM = 32025;
constexpr UINT ID_SEARCH_COMMENT = 32026;
constexpr UINT ID_LINE_COLOR = 32027;
constexpr UINT ID_PARAM_PROGRAM_NUMBER = 32028;
constexpr UINT ID_PARAM_MCODE = 32029;
constexpr UINT ID_PARAM_PULSER = 32030;
constexpr UINT ID_PARAM_ABS_POSITION = 32031;
constexpr UINT ID_CONTROLLER_WRITE = 32033;
constexpr UINT ID_CONTROLLER_READ = 32034;
constexpr UINT ID_CONTROLLER_VERIFY = 32035;
constexpr UINT ID_CONTROLLER_INITIALIZE = 32036;
constexpr UINT ID_MONITOR_START = 32037;
constexpr UINT ID_MONITOR_STOP = 32038;
constexpr UINT ID_CONTROLLER_DIAGNOSIS = 32039;
// The workspace tree's item menu: rename or delete the chosen chart.
constexpr UINT ID_WINDOW_UPDATE = 32041;
constexpr UINT ID_WINDOW_DELETE = 32042;
// File > Close: the document.
constexpr UINT ID_DOCUMENT_CLOSE = 32043;
constexpr UINT ID_CHANGE_BASE_COLOR = 32054;
constexpr UINT ID_EXPORT_TEXT = 32058;
constexpr UINT ID_IMPORT_TEXT = 32059;
constexpr UINT ID_NEW_FLOW_CHART = 32063;
constexpr UINT ID_NEW_SUBTASK = 32064;
constexpr UINT ID_PARAM_OTHERS = 32065;
// The zoom steps 200, 150, 100, 75, 50, 25 and 10 %, in that order.
constexpr UINT ID_ZOOM_200 = 32066;
constexpr UINT ID_ZOOM_150 = 32067;
constexpr UINT ID_ZOOM_100 = 32068;
constexpr UINT ID_ZOOM_75 = 32069;
constexpr UINT ID_ZOOM_50 = 32070;
constexpr UINT ID_ZOOM_25 = 32071;
constexpr UINT ID_ZOOM_10 = 32072;
constexpr UINT ID_ALIGN_OBJECTS = 32073;
constexpr UINT ID_VIEW_CONTROLLER_BAR = 32074;
constexpr UINT ID_BRUSH_COLOR = 32075;
constexpr UINT ID_LINE_THICK = 32076;
constexpr UINT ID_SEARCH_NUMBER = 32077;
// The Wire button of the flow view.
constexpr UINT ID_WIRE_TOOL = 32078;
// The zoom box of the standard toolbar.
constexpr UINT ID_ZOOM_BOX = 32079;
constexpr UINT ID_INSERT_PLOT = 32883;
constexpr UINT ID_INSERT_DEVICE_STATUS = 32884;
constexpr UINT ID_INSERT_MANUAL_OPERATION = 32885;
constexpr UINT ID_INSERT_MANUAL_INPUT_STATUS = 32886;
constexpr UINT ID_INSERT_CONTROLLER_STATUS = 32887;
constexpr UINT ID_INSERT_PROGRAM_INFO = 32888;
constexpr UINT ID_INSERT_CURRENT_POSITION = 32889;
constexpr UINT ID_MONITOR_TOGGLE = 32890;
// The Enter accelerator.
constexpr UINT ID_ENTER_KEY = 32891;
// File > Import Text without a document.
constexpr UINT ID_FILE_IMPORT_TEXT = 32892;
// The status bar's steps pane has the same number as Import Text; the frame
// asks the document for the pane itself, so the two never meet on the
// command route.
constexpr UINT ID_INDICATOR_STEPS = 32892;
constexpr UINT ID_PROGTEXT_X = 32894;
constexpr UINT ID_PROGTEXT_SUBTASK = 32896;
constexpr UINT ID_PROGTEXT_Y = 32897;
constexpr UINT ID_DEFAULT_POSITION = 32898;
constexpr UINT ID_TUNE_RESPONSE = 32900;

// ---------------------------------------------------------------------------
// The symbol palette

// The group buttons of the selector bar.
constexpr UINT ID_FLOW_GROUP = 8001;
constexpr UINT ID_FUNC_GROUP = 8002;
constexpr UINT ID_CODE_GROUP = 8003;
// The connect button of the tools bar, the flow view's wire tool too.
constexpr UINT ID_CONNECT_BUTTON = 8300;
constexpr UINT ID_PALETTE_DOWN = 8449;
constexpr UINT ID_PALETTE_UP = 8450;
constexpr UINT ID_PALETTE_SLIDER = 8452;

// The symbol tools, one per symbol class, in three runs.
constexpr UINT ID_TOOL_FLOW_START = 20101;
constexpr UINT ID_TOOL_FLOW_END = 20102;
constexpr UINT ID_TOOL_FLOW_SUBRTN = 20103;
constexpr UINT ID_TOOL_FLOW_RET = 20104;
constexpr UINT ID_TOOL_FLOW_PROGTEXT = 20105;
constexpr UINT ID_TOOL_FLOW_CALL = 20106;
constexpr UINT ID_TOOL_FLOW_CJUMP = 20107;
constexpr UINT ID_TOOL_FLOW_JUMP = 20108;
constexpr UINT ID_TOOL_FLOW_POINTER = 20109;
constexpr UINT ID_TOOL_CODE_DRV = 20201;
constexpr UINT ID_TOOL_CODE_DRVZ = 20202;
constexpr UINT ID_TOOL_CODE_LINE = 20203;
constexpr UINT ID_TOOL_CODE_CIR = 20204;
constexpr UINT ID_TOOL_CODE_INCABS = 20205;
constexpr UINT ID_TOOL_CODE_TIME = 20206;
constexpr UINT ID_TOOL_CODE_SETADDR = 20207;
constexpr UINT ID_TOOL_CODE_CHK = 20208;
constexpr UINT ID_TOOL_CODE_SETRDRVR = 20209;
constexpr UINT ID_TOOL_CODE_INT = 20210;
constexpr UINT ID_TOOL_CODE_COMP = 20211;
constexpr UINT ID_TOOL_CODE_MCODE = 20212;
constexpr UINT ID_TOOL_FUNC_REPEAT = 20300;
constexpr UINT ID_TOOL_FUNC_MOVE = 20301;
constexpr UINT ID_TOOL_FUNC_BCDBIN = 20302;
constexpr UINT ID_TOOL_FUNC_ARTH = 20303;
constexpr UINT ID_TOOL_FUNC_LOGICAL = 20304;
constexpr UINT ID_TOOL_FUNC_ABS = 20305;
constexpr UINT ID_TOOL_FUNC_EXT = 20306;
constexpr UINT ID_TOOL_FUNC_SEGL = 20307;
constexpr UINT ID_TOOL_FUNC_SETRST = 20308;
// The commands a chart view takes as its current tool.
constexpr UINT ID_TOOL_FIRST = 20100;
constexpr UINT ID_TOOL_LAST = ID_TOOL_FUNC_SETRST;

// ---------------------------------------------------------------------------
// The foundation-sequence pages (templates 2037 and 2038): one page class
// serves both, so both templates give their controls the same ids; only page
// 1 has the unit number.

constexpr int IDC_FOUNSEQ_UNIT = 8940;
constexpr int IDC_FOUNSEQ_UNIT_SPIN = 8941;
constexpr int IDC_FOUNSEQ_TAB = 8942;
// Per axis, X then Y: the title, "M", the top-device edit and its spin, the
// group with the signal names and the device list.
constexpr int IDC_FOUNSEQ_TITLE_X = 8943;
constexpr int IDC_FOUNSEQ_M_X = 8944;
constexpr int IDC_FOUNSEQ_DEVICE_X = 8945;
constexpr int IDC_FOUNSEQ_SPIN_X = 8946;
constexpr int IDC_FOUNSEQ_GROUP_X = 8947;
constexpr int IDC_FOUNSEQ_NAMES_X = 8948;
constexpr int IDC_FOUNSEQ_LIST_X = 8949;
constexpr int IDC_FOUNSEQ_TITLE_Y = 8950;
constexpr int IDC_FOUNSEQ_M_Y = 8951;
constexpr int IDC_FOUNSEQ_DEVICE_Y = 8952;
constexpr int IDC_FOUNSEQ_SPIN_Y = 8953;
constexpr int IDC_FOUNSEQ_GROUP_Y = 8954;
constexpr int IDC_FOUNSEQ_NAMES_Y = 8955;
constexpr int IDC_FOUNSEQ_LIST_Y = 8956;
constexpr int IDC_FOUNSEQ_LADDER = 8957;
constexpr int IDC_FOUNSEQ_COPY = 8958;
constexpr int IDC_FOUNSEQ_BACK = 8959;
constexpr int IDC_FOUNSEQ_NEXT = 8960;
constexpr int IDC_FOUNSEQ_HELP = 8961;
