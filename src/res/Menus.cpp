// Menus, accelerators and toolbars of the main window.
#include "platform/MenuResource.h"
#include "res/CommandIds.h"

#include <map>

namespace {
MenuItem Item(const char* text, UINT id) { return MenuItem{QString::fromLatin1(text), id, {}}; }
MenuItem Separator() { return MenuItem{}; }
MenuItem Popup(const char* text, std::vector<MenuItem> items)
{
    return MenuItem{QString::fromLatin1(text), 0, std::move(items)};
}

// The File menu of a document: the no-document items and the document's own.
MenuItem DocumentFileMenu()
{
    return Popup("&File",
                 {Item("&New\tCtrl+N", ID_FILE_NEW), Item("&Open...\tCtrl+O", ID_FILE_OPEN),
                  Item("&Close", ID_DOCUMENT_CLOSE), Item("&Save\tCtrl+S", ID_FILE_SAVE),
                  Item("Save &As...", ID_FILE_SAVE_AS), Separator(), Item("Import &Text", ID_IMPORT_TEXT),
                  Item("&Export Text", ID_EXPORT_TEXT), Separator(), Item("&Print...\tCtrl+P", ID_FILE_PRINT),
                  Item("Print Pre&view", ID_FILE_PRINT_PREVIEW), Item("P&rint Setup...", ID_FILE_PRINT_SETUP),
                  Separator(), Item("Recent File", kFirstRecentFileCommand), Separator(), Item("E&xit", ID_APP_EXIT)});
}

MenuItem EditMenu()
{
    return Popup("&Edit", {Item("&Undo\tCtrl+Z", ID_EDIT_UNDO), Item("&Redo\tCtrl+Y", ID_EDIT_REDO), Separator(),
                           Item("Cu&t\tCtrl+X", ID_EDIT_CUT), Item("&Copy\tCtrl+C", ID_EDIT_COPY),
                           Item("&Paste\tCtrl+V", ID_EDIT_PASTE), Item("&Delete\tDel", ID_EDIT_DELETE), Separator(),
                           Item("Select &All\tCtrl+A", ID_EDIT_SELECT_ALL)});
}

MenuItem DocumentViewMenu()
{
    return Popup("&View",
                 {Item("Standard &Toolbar", ID_VIEW_TOOLBAR), Item("KZ-&QW Toolbar", ID_VIEW_CONTROLLER_BAR),
                  Item("&Drawing Toolbar", ID_VIEW_DRAWING_BAR), Item("&Accessories Toolbar", ID_VIEW_ACCESSORIES_BAR),
                  Item("&Status Bar", ID_VIEW_STATUS_BAR), Separator(),
                  Popup("&Zoom ", {Item("Zoom Large size [Ctrl + PgUp]", ID_ZOOM_200), Item("150%  Zoom", ID_ZOOM_150),
                                   Item("Zoom Normal size [Ctrl + Home]", ID_ZOOM_100), Item("75%  Zoom", ID_ZOOM_75),
                                   Item("50%  Zoom [Ctrl + PgDown]", ID_ZOOM_50), Item("25%  Zoom", ID_ZOOM_25),
                                   Item("Zoom Small size", ID_ZOOM_10)})});
}

MenuItem ToolsMenu()
{
    return Popup("&Tools",
                 {Item("Search by &Comment...", ID_SEARCH_COMMENT), Item("Search by &Number...", ID_SEARCH_NUMBER),
                  Separator(), Item("Used &Memory", ID_USED_MEMORY), Separator(),
                  Item("Change &Base Color", ID_CHANGE_BASE_COLOR)});
}

// The controller menu of a document; it stays usable while monitoring.
MenuItem ControllerMenu()
{
    return Popup("KZ-&QW", {Item("&Write to DA-ZU", ID_CONTROLLER_WRITE), Item("&Read from DA-ZU", ID_CONTROLLER_READ),
                            Item("&Verify DA-ZU data with Program", ID_CONTROLLER_VERIFY),
                            Item("&Diagnosis of DA-ZU", ID_CONTROLLER_DIAGNOSIS),
                            Item("&Initialize  DA-ZU contents", ID_CONTROLLER_INITIALIZE), Separator(),
                            Popup("&Monitor", {Item("&Start", ID_MONITOR_START), Item("S&top", ID_MONITOR_STOP),
                                               Separator(), Item("Program in Text &X-Axis", ID_PROGTEXT_X),
                                               Item("Program in Text &Y-Axis", ID_PROGTEXT_Y),
                                               Item("Program in Text S&ubtask", ID_PROGTEXT_SUBTASK), Separator(),
                                               Item("Set &Default Position", ID_DEFAULT_POSITION),
                                               Item("Tune System &Response", ID_TUNE_RESPONSE)}),
                            Separator(), Item("&Com Port", ID_COM_PORT)});
}

MenuItem ParametersMenu()
{
    return Popup("&Parameters",
                 {Popup("&System", {Item("&System", ID_PARAM_SYSTEM), Item("Sub &task", ID_PARAM_SUBTASK)}),
                  Popup("&Positioning",
                        {Item("&Units", ID_PARAM_UNITS), Item("S&peed", ID_PARAM_SPEED),
                         Item("&Machine Zero", ID_PARAM_MACHINE_ZERO), Item("&Settings", ID_PARAM_SETTINGS)}),
                  Popup("I/O &Control",
                        {Item("&Program Number", ID_PARAM_PROGRAM_NUMBER), Item("M &Code", ID_PARAM_MCODE),
                         Item("&Manual Pulse Generator", ID_PARAM_PULSER),
                         Item("&Absolute Position", ID_PARAM_ABS_POSITION), Item("&Others", ID_PARAM_OTHERS)}),
                  Separator(), Item("&Initialize", ID_PARAM_INITIALIZE), Item("Show &All", ID_PARAM_SHOW_ALL)});
}

// The list of open windows follows the first three items.
MenuItem WindowMenu()
{
    return Popup("&Window", {Item("&Cascade", ID_WINDOW_CASCADE), Item("&Tile", ID_WINDOW_TILE_HORZ),
                             Item("Close &All", ID_WINDOW_CLOSE_ALL), Item("", kFirstWindowListCommand)});
}

MenuItem HelpMenu()
{
    return Popup("&Help",
                 {Item("&Contents", ID_HELP_FINDER), Separator(), Item("&About RQT4P-VEDID-E...", ID_APP_ABOUT)});
}

MenuItem InsertMenu()
{
    return Popup("&Insert", {Item("C&urrent Position", ID_INSERT_CURRENT_POSITION), Item("&Plotting", ID_INSERT_PLOT),
                             Item("&Device Status", ID_INSERT_DEVICE_STATUS),
                             Item("&Manual Operation", ID_INSERT_MANUAL_OPERATION),
                             Item("Manual Input &Status", ID_INSERT_MANUAL_INPUT_STATUS),
                             Item("KZ-&QW Status", ID_INSERT_CONTROLLER_STATUS),
                             Item("P&rogram Information", ID_INSERT_PROGRAM_INFO), Separator(),
                             Item("Insert &New Object...", ID_OLE_INSERT_NEW)});
}

const std::map<UINT, MenuResource>& Menus()
{
    static const std::map<UINT, MenuResource> menus = {
        // The main window without a document.
        {IDR_MAINFRAME,
         {IDR_MAINFRAME,
          {
              Popup("&File", {Item("&New\tCtrl+N", ID_FILE_NEW), Item("&Open...\tCtrl+O", ID_FILE_OPEN), Separator(),
                              Item("Import &Text", ID_FILE_IMPORT_TEXT), Separator(),
                              Item("P&rint Setup...", ID_FILE_PRINT_SETUP), Separator(),
                              Item("Recent File", kFirstRecentFileCommand), Separator(), Item("E&xit", ID_APP_EXIT)}),
              Popup("KZ-&QW", {Item("&Read from DA-ZU", ID_CONTROLLER_READ), Item("&Com Port", ID_COM_PORT)}),
              Popup("&View", {Item("Standard &Toolbar", ID_VIEW_TOOLBAR), Item("&Status Bar", ID_VIEW_STATUS_BAR)}),
              HelpMenu(),
          }}},
        // A flow chart is active.
        {IDR_FLOWCHART,
         {IDR_FLOWCHART,
          {DocumentFileMenu(), EditMenu(), DocumentViewMenu(), ToolsMenu(), ControllerMenu(), ParametersMenu(),
           WindowMenu(), HelpMenu()}}},
        // The monitor window is active.
        {IDR_MONITOR,
         {IDR_MONITOR,
          {DocumentFileMenu(), EditMenu(), DocumentViewMenu(), InsertMenu(), ToolsMenu(), ControllerMenu(),
           ParametersMenu(), WindowMenu(), HelpMenu()}}},
        // The workspace tree's item menu.
        {IDR_WORKSPACE_MENU,
         {IDR_WORKSPACE_MENU,
          {Popup("WorkSpace", {Item("&New Flow Chart", ID_NEW_FLOW_CHART), Item("&New Subtask", ID_NEW_SUBTASK),
                               Item("&Update", ID_WINDOW_UPDATE), Item("&Delete", ID_WINDOW_DELETE)})}}},
    };
    return menus;
}

// One table serves the main window with and without a document.
const std::map<UINT, std::vector<Accelerator>>& Accelerators()
{
    static const std::map<UINT, std::vector<Accelerator>> tables = {
        {IDR_MAINFRAME,
         {
             {QStringLiteral("Ctrl+N"), ID_FILE_NEW},
             {QStringLiteral("Ctrl+O"), ID_FILE_OPEN},
             {QStringLiteral("Ctrl+S"), ID_FILE_SAVE},
             {QStringLiteral("Ctrl+P"), ID_FILE_PRINT},
             {QStringLiteral("Ctrl+Z"), ID_EDIT_UNDO},
             {QStringLiteral("Ctrl+Y"), ID_EDIT_REDO},
             {QStringLiteral("Ctrl+X"), ID_EDIT_CUT},
             {QStringLiteral("Ctrl+C"), ID_EDIT_COPY},
             {QStringLiteral("Ctrl+Ins"), ID_EDIT_COPY},
             {QStringLiteral("Ctrl+V"), ID_EDIT_PASTE},
             {QStringLiteral("Shift+Ins"), ID_EDIT_PASTE},
             {QStringLiteral("Del"), ID_EDIT_DELETE},
             {QStringLiteral("Ctrl+A"), ID_EDIT_SELECT_ALL},
             {QStringLiteral("Ctrl+PgUp"), ID_ZOOM_200},
             {QStringLiteral("Ctrl+Home"), ID_ZOOM_100},
             {QStringLiteral("Ctrl+PgDown"), ID_ZOOM_50},
             {QStringLiteral("Return"), ID_ENTER_KEY},
             {QStringLiteral("Enter"), ID_ENTER_KEY}, // the keypad's
             {QStringLiteral("Esc"), ID_CANCEL_EDIT},
             {QStringLiteral("F1"), ID_HELP},
             {QStringLiteral("Shift+F1"), ID_CONTEXT_HELP},
         }},
    };
    return tables;
}

const std::map<UINT, ToolbarResource>& Toolbars()
{
    static const std::map<UINT, ToolbarResource> toolbars = {
        // The standard toolbar; slot 9 holds the zoom box.
        {IDR_MAINFRAME,
         {IDR_MAINFRAME,
          IDR_MAINFRAME,
          {{ID_FILE_NEW, QStringLiteral("New")},
           {ID_FILE_OPEN, QStringLiteral("Open")},
           {ID_FILE_SAVE, QStringLiteral("Save")},
           {ID_EDIT_CUT, QStringLiteral("Cut")},
           {ID_EDIT_COPY, QStringLiteral("Copy")},
           {ID_EDIT_PASTE, QStringLiteral("Paste")},
           {ID_FILE_PRINT, QStringLiteral("Print")},
           {ID_APP_ABOUT, QStringLiteral("About")},
           {ID_CONTEXT_HELP, QStringLiteral("Help")},
           {ID_ZOOM_BOX, QString(), 70},
           {ID_ALIGN_OBJECTS, QStringLiteral("Align Objects")},
           {ID_CONTROLLER_READ, QStringLiteral("Read from DA-ZU")}}}},
        // The controller toolbar.
        {IDR_CONTROLLER_BAR,
         {IDR_CONTROLLER_BAR,
          IDR_CONTROLLER_BAR,
          {{ID_CONTROLLER_WRITE, QStringLiteral("Write to DA-ZU")},
           {ID_CONTROLLER_VERIFY, QStringLiteral("Verify DA-ZU data")},
           {ID_CONTROLLER_DIAGNOSIS, QStringLiteral("Diagnosis of DA-ZU")},
           {0, QString()},
           {ID_MONITOR_TOGGLE, QStringLiteral("Start / Stop Monitoring")},
           {ID_DEFAULT_POSITION, QStringLiteral("Set Default Position")}}}},
        // The drawing toolbar of the monitor window.
        {IDR_DRAWING_BAR,
         {IDR_DRAWING_BAR,
          IDR_DRAWING_BAR,
          {{ID_DRAW_LINE, QStringLiteral("Line")},
           {ID_DRAW_RECT, QStringLiteral("Rectangle")},
           {ID_DRAW_OVAL, QStringLiteral("Oval")},
           {0, QString()},
           {ID_LINE_THIN, QStringLiteral("Thin Line")},
           {ID_LINE_MEDIUM, QStringLiteral("Medium Line")},
           {ID_LINE_THICK, QStringLiteral("Thick Line")},
           {0, QString()},
           {ID_LINE_COLOR, QStringLiteral("Line Color")},
           {ID_BRUSH_COLOR, QStringLiteral("Brush Color")}}}},
    };
    return toolbars;
}
} // namespace

const MenuResource* FindMenuResource(UINT id)
{
    auto it = Menus().find(id);
    return it == Menus().end() ? nullptr : &it->second;
}

const std::vector<Accelerator>* FindAcceleratorTable(UINT id)
{
    auto it = Accelerators().find(id);
    return it == Accelerators().end() ? nullptr : &it->second;
}

const ToolbarResource* FindToolbarResource(UINT id)
{
    auto it = Toolbars().find(id);
    return it == Toolbars().end() ? nullptr : &it->second;
}
