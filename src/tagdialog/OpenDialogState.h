#pragma once
// The program's one open-file dialog, as a plain record: the palette owns it, and every file
// chooser of the program (the palette's file commands, the tag dialog's reference buttons,
// the options dialog, the project manager) shows the system's file dialog from it and
// writes back what the user did there, so that the next use starts where the last one ended.

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace orvanel {

struct FileFilter {
    std::string description;
    std::string patterns; // separated by ";"
    // The system's programs: where programs carry no name extension, the files that may
    // be executed, whatever their names, are shown too.
    bool programs = false;
};

// The dialog's filters, numbers 1 to 5: HTML files, images, executables, internet
// shortcuts, all files.
std::vector<FileFilter> openDialogFilters();

// A filter in the form "description (pattern pattern)" that file dialogs read.
std::string nameFilter(const FileFilter& filter);

struct OpenDialogState {
    std::vector<FileFilter> filters = openDialogFilters();
    int filterIndex = 1;  // 1 to the number of filters
    std::string folder;   // where the dialog starts; saved as Option/InitialDir
    std::string title;

    // A reference button with Tag n > 0 opens on filter n; Tag 0 keeps the last filter.
    void useFilterOfTag(int tag);
    // What the dialog reported when the user chose a file: the filter in use (ignored when
    // out of range) and the folder it showed (ignored when empty).
    void closedWith(int usedFilter, std::string usedFolder);
};

// Shows the file chooser from the state (filters, filter number, folder, title); returns the
// chosen file and updates the filter and folder in use, or nullopt when cancelled. The
// windows show the system's file dialog; tests answer in its place.
using ChooseFile = std::function<std::optional<std::string>(OpenDialogState& state)>;

} // namespace orvanel
