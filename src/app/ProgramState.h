#pragma once
// State that belongs to the running program rather than to a document or a
// window: which palette tool the chart views place, whether an id came from
// the search, how far each palette group is scrolled, where documents go. It stays across documents; Reset() gives the values of a program
// that has just started (the tests call it before each test).
#include "app/PaletteTools.h"

#include <QString>

#include <array>
#include <cstdint>

// The chart views' tool modes: what the next press in a view does.
namespace toolmode {
constexpr std::int32_t kSelect = 0;
// Place the palette's current tool.
constexpr std::int32_t kPlace = 1;
constexpr std::int32_t kWire = 2;
// The shapes of the monitor window.
constexpr std::int32_t kRect = 4;
constexpr std::int32_t kOval = 5;
constexpr std::int32_t kLine = 6;
} // namespace toolmode

struct ProgramState {
    // The chart views' editing state.
    struct Editing {
        // One of toolmode::.
        std::int32_t toolMode = toolmode::kSelect;
        UINT currentTool = 0;
        std::int32_t toolChosen = 0;
        // The out-of-sheet warning was shown during the current mouse action.
        std::int32_t outOfSheetWarned = 0;
        // Set for the moment while a drop is refused, so that the object that
        // then gets the release keeps quiet; the view a drag started from
        // keeps its objects.
        std::int32_t dropRefused = 0;
        // A START moved by a drag into the subtask chart took the subtask's
        // number there: the view it left does not take its old one again.
        std::int32_t subtaskStartMoved = 0;
    } editing;

    // The chart clipboard: the last Cut put the objects there (Paste keeps
    // their ids); Undo, New and Open end that, and so does a paste of data
    // another running copy of the program put there.
    struct Clipboard {
        std::int32_t cut = 0;
        // This running copy (ProgramInstanceId, written into every block it
        // puts on the clipboard), set when a chart view is made, and the
        // copy the last block pasted came from.
        std::uint32_t instanceId = 0;
        std::uint32_t sourceId = 0;
    } clipboard;

    // Whether the last id of a kind came from the search after its counter
    // ran out: then giving the id back does nothing.
    struct IdSearch {
        std::int32_t symbol = 0;
        std::int32_t wire = 0;
        std::int32_t ole = 0;
        std::int32_t monObj = 0;
    } searching;

    // The print run under way: the status dialog's Cancel asks it to stop,
    // and so does a close of the main window, which follows the run's end.
    struct Printing {
        std::int32_t running = 0;
        std::int32_t userAbort = 0;
        std::int32_t closeWanted = 0;
        // How the last run ended (PrintOutcome).
        std::int32_t outcome = 0;
    } printing;
    enum PrintOutcome : std::int32_t { kNotPrinted = 0, kPrinted = 1, kPrintCancelled = 2, kPrintFailed = 3 };

    // Monitoring: the polling cycles skipped since the last one that polled
    // ("SystemResponse"). It runs on across stops and starts; while a run
    // lives, only its worker touches it.
    struct Monitoring {
        std::uint32_t skipCounter = 0;
    } monitoring;

    // The first and last shown item of each palette group.
    std::array<PaletteScroll, kPaletteGroups> palette{};

    // The folder documents go to when none is remembered; empty: the
    // user's documents folder.
    QString documentsDir;

    void Reset() { *this = ProgramState(); }
};

// The program's one instance.
ProgramState& Program();

// A random number other than 0, the same for the whole life of the running
// program and most likely different in every other running copy: it tells
// the copy that put data on the clipboard.
std::uint32_t ProgramInstanceId();
