// Programs started by the Windows backend under Wine: the command line keeps every argument
// whole, notepad opens a file whose name has blanks and a letter outside code page 932, and
// every other ending of a start or a wait is told.

#include "platform/Backend.h"
#include "platform/win32/Win32CommandLine.h"
#include "platform/win32/Win32Windows.h"
#include "text/Utf16.h"

#include <gtest/gtest.h>
#include <shellapi.h>

#include <filesystem>
#include <fstream>

namespace orvanel::win32 {
namespace {

TEST(CommandLine, EveryArgumentComesBackWholeThroughTheRuntimesRules)
{
    for (const std::wstring arg : {L"plain", L"two words", L"", L"say \"hi\"", L"C:\\dir with blank\\", L"a\\\\\"b",
                                   L"tab\there", L"back\\slash", L"\\\\server\\share\\"}) {
        int n = 0;
        LPWSTR* parsed = ::CommandLineToArgvW(commandLineOf({L"C:\\Program Files\\p.exe", arg}).c_str(), &n);
        ASSERT_EQ(n, 2) << text::fromUtf16(arg);
        EXPECT_EQ(std::wstring(parsed[0]), L"C:\\Program Files\\p.exe");
        EXPECT_EQ(std::wstring(parsed[1]), arg);
        ::LocalFree(parsed);
    }
}

TEST(ProgramStarter, StartsWithAWholeFileArgumentAndTellsEveryEnding)
{
    auto backend = createBackend();
    ProgramStarter& starter = backend->programStarter();
    wchar_t folder[MAX_PATH];
    ::GetTempPathW(MAX_PATH, folder);
    const std::string file = text::fromUtf16(folder) + "two w\xC3\xB6rds.txt"; // "two wörds.txt"
    std::ofstream(std::filesystem::path(text::toUtf16(file))) << "text\n";

    const StartResult notepad = starter.startProcess({"notepad.exe", file});
    ASSERT_EQ(notepad.outcome, StartOutcome::Started);
    ASSERT_EQ(starter.waitForWindow(notepad.pid), WindowWaitOutcome::WindowShown);
    HWND shown = nullptr;
    for (HWND w : topLevelWindows())
        if (processOf(w) == notepad.pid && isShown(w))
            shown = w;
    const std::string title = titleOf(shown);
    EXPECT_EQ(title.rfind("two w\xC3\xB6rds.txt", 0), 0u) << title;

    EXPECT_EQ(starter.startProcess({"C:\\no such folder\\program.exe"}).outcome, StartOutcome::ProgramMissing);
    EXPECT_EQ(starter.startProcess({"no-such-program-here"}).outcome, StartOutcome::ProgramMissing);
    EXPECT_EQ(starter.startProcess({file}).outcome, StartOutcome::NotExecutable);
    const StartResult quick = starter.startProcess({"cmd.exe", "/c", "exit"});
    ASSERT_EQ(quick.outcome, StartOutcome::Started);
    EXPECT_EQ(starter.waitForWindow(quick.pid), WindowWaitOutcome::ProcessEnded);
    EXPECT_EQ(starter.openWithDesktop(text::fromUtf16(folder) + "nothing.orvanel-none"), DesktopOpenOutcome::Failed);
    // Opened by the program of ".bat", the command interpreter, which runs it and ends.
    const std::string script = text::fromUtf16(folder) + "done.bat";
    std::ofstream(std::filesystem::path(text::toUtf16(script))) << "@exit\r\n";
    EXPECT_EQ(starter.openWithDesktop(script), DesktopOpenOutcome::Opened);
    ::PostMessageW(shown, WM_CLOSE, 0, 0);
    for (const std::string& f : {file, script})
        ::DeleteFileW(text::toUtf16(f).c_str());
}

} // namespace
} // namespace orvanel::win32
