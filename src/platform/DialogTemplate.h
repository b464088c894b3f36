#pragma once
// A dialog's controls as its resource describes them: id, kind, text, limits
// and groups, in tab order, arranged in rows (positions are the renderer's).
// Templates live in res/dialogs/<id>.json.
#include "platform/Types.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

constexpr int IDC_STATIC = -1;

struct ControlTemplate {
    int id = IDC_STATIC;
    // static, picture, edit, textedit (multi-line, keys seen by the program
    // first: platform/Edit.h), button, check, radio, group, combo, dropdown,
    // list, spin, slider, progress, tab, grid, or a custom kind a renderer
    // plugs in.
    QString kind;
    QString text;
    bool group = false;        // starts a group (radio groups end at the next one)
    int tabstop = -1;          // -1: the kind's usual setting
    bool disabled = false;
    bool hidden = false;
    bool collapse = false;     // gives up its place while hidden (pages of a tab that share one place)
    bool isDefault = false;    // the default push button
    bool readOnly = false;
    bool multiline = false;
    bool number = false;       // edit accepts digits only
    bool upperCase = false;    // edit: what is typed or put in is shown and read in capitals
    int limit = 0;             // edit: most characters; 0 none
    int rangeMin = 0;          // spin, slider, progress
    int rangeMax = 100;
    int buddy = 0;             // spin: the edit it steps
    bool wrap = false;         // spin: stepping past one end goes to the other
    int cellRows = 2;          // grid: rows and columns it starts with
    int cellCols = 3;
    int width = 0;             // minimum width in dialog units; 0 the kind's own
    int height = 0;            // minimum height in dialog units; 0 the kind's own
    int image = 0;             // picture: bitmap resource id
    QString align;             // static: "left" (default), "center", "right"
    QString background;        // static: the colour it is painted on ("white", "#rrggbb"); empty: the dialog's
    QStringList items;         // combo and list: initial entries
    std::vector<std::vector<ControlTemplate>> rows; // group box contents

    bool HasTabStop() const;
};

struct DialogTemplate {
    UINT id = 0;
    QString caption;
    int width = 0;              // dialog units; the minimum size of the dialog
    int height = 0;
    bool noCaption = false;     // a popup without title bar
    bool topmost = false;
    QString buttonsAt = QStringLiteral("right"); // where the button column goes: right or bottom
    std::vector<std::vector<ControlTemplate>> rows;
    std::vector<ControlTemplate> buttons;

    // Every control in tab order (group box contents after the box).
    std::vector<const ControlTemplate*> Controls() const;
    const ControlTemplate* Find(int id) const;

    // Reads the template of a dialog resource; null (with the reason on
    // stderr) when there is none or it is malformed.
    static std::shared_ptr<const DialogTemplate> Load(UINT id);
    static std::shared_ptr<const DialogTemplate> Parse(const QByteArray& json, QString* error);
};
