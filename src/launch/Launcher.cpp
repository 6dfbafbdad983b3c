#include "launch/Launcher.h"

#include "insert/TargetWindow.h"

namespace orvanel::launch {

Launcher::Launcher(ProgramStarter& starter, const std::vector<std::string>& extList, LaunchedFiles& launched,
                   Tell tell, PathStyle style)
    : starter_(starter), extList_(extList), launched_(launched), tell_(std::move(tell)), style_(style)
{
}

void Launcher::say(std::string_view message) const
{
    if (tell_)
        tell_(message);
}

StartResult Launcher::start(const std::vector<std::string>& argv)
{
    const StartResult result = starter_.startProcess(argv);
    switch (result.outcome) {
    case StartOutcome::Started:
        break;
    case StartOutcome::ProgramMissing:
        say(missingFileMessage(argv[0]));
        break;
    case StartOutcome::NotExecutable:
        say(argv[0] + "を実行できません。");
        break;
    }
    return result;
}

void Launcher::OpenFileWithProgram(const std::string& path)
{
    if (path.empty()) {
        if (const auto editor = newFileProgram(extList_))
            start({*editor});
        else
            say(kNoEditorMessage);
        return;
    }
    const auto extension = fileExtension(path, style_);
    const auto program = extension ? programForExtension(extList_, *extension) : std::nullopt;
    if (!program) {
        if (starter_.openWithDesktop(path) == DesktopOpenOutcome::Failed)
            say(path + "を開くプログラムがありません。");
        return;
    }
    const StartResult started = start(programArguments(*program, path));
    if (started.outcome != StartOutcome::Started)
        return;
    // Recorded before the wait, which runs the event loop: a click on the palette while the
    // editor comes up finds its page already. The wait's outcome does not matter for the
    // record: a single-instance editor hands the file to its running instance and ends
    // without a window, and the target window's title then tells which record it shows.
    launched_.add(started.pid, path);
    starter_.waitForWindow(started.pid);
}

void Launcher::PreviewInBrowser(const std::string& browser, const std::string& targetFile)
{
    if (browser.empty()) {
        say(kNoBrowserMessage);
        return;
    }
    if (targetFile.empty()) {
        say(kNoTargetFileMessage);
        return;
    }
    start(programArguments(browser, targetFile));
}

void Launcher::RunExternalProgram(const std::string& commandLine)
{
    if (commandLine.empty()) {
        say(kNoProgramMessage);
        return;
    }
    if (CheckFileExists(commandLine, tell_))
        start({commandLine});
}

} // namespace orvanel::launch
