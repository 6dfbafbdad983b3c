#pragma once
// The launchers: a new or existing file opened with the program of its extension, the
// page being edited previewed in a browser, the external programs. Written against
// ProgramStarter alone, so that the steps run the same over the real system and a fake.

#include "launch/CheckFileExists.h"
#include "launch/LaunchRules.h"
#include "platform/ProgramStarter.h"

#include <string>
#include <vector>

namespace orvanel {
class LaunchedFiles;
}

namespace orvanel::launch {

class Launcher {
public:
    // `extList` is the ExtList setting ("ext=program"), read at every call; `launched`
    // receives the files opened in a program of their own; `tell` shows every message.
    // The starter, the list and the record must outlive the launcher.
    Launcher(ProgramStarter& starter, const std::vector<std::string>& extList, LaunchedFiles& launched, Tell tell,
             PathStyle style = insert::nativePathStyle());

    // `path` empty: a new file, the editor of "txt" (else "html") started without a file.
    // Otherwise the program of the file's extension starts with the file as its one
    // argument; the process and the file are recorded, so that the file is known as the
    // page behind that editor, and the call returns once its window shows (or the process
    // ends, or the bounded wait is over). Without a program the desktop opens the file and
    // nothing is recorded.
    void OpenFileWithProgram(const std::string& path);
    // Starts `browser` on `targetFile` (the page behind the target window).
    void PreviewInBrowser(const std::string& browser, const std::string& targetFile);
    // Starts the program at `commandLine`, which must name an existing file; it gets no
    // arguments.
    void RunExternalProgram(const std::string& commandLine);

private:
    void say(std::string_view message) const;
    // Starts `argv`; a program that does not start is told, with its path.
    StartResult start(const std::vector<std::string>& argv);

    ProgramStarter& starter_;
    const std::vector<std::string>& extList_;
    LaunchedFiles& launched_;
    Tell tell_;
    PathStyle style_;
};

} // namespace orvanel::launch
