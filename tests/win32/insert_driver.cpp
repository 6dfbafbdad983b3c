// Stands in for the palette on Windows in the end-to-end tests and the insertion benchmark:
// it takes the instance mutex "Orvanel" as the program does (a second driver exits with
// status 255), runs the win32 backend on its message loop and, for each command line on
// standard input, does what a click on a tag button does (AppActivate, then InsertTemplate).
//
// Commands, one per line (UTF-8): method, auto, insert, lock (tests/support/InsertCommands.h) and
//   hotkey MODS KEY   registers the hot key (modifier bits, virtual-key code); answers
//                     "registered", "taken", "no such key" or "failed", and then "hotkey"
//                     at every press
//   quit

#include "InsertCommands.h"
#include "platform/Backend.h"
#include "platform/InstanceLock.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <functional>
#include <iostream>
#include <string>
#include <thread>

namespace {

void answer(const std::string& line)
{
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

// Standard input is read on a thread of its own, one line at a time: the line goes to the
// message loop as a thread message (wParam 1 at the end of input), and the next is read once
// the loop has run the command, so no message of ours arrives while a command runs.
// Both live as long as the process: the thread may wait on `done` to its end.
struct CommandLine {
    std::string line;
    HANDLE done = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
};

void readCommands(CommandLine& command, DWORD loopThread)
{
    std::string line;
    while (std::getline(std::cin, line)) {
        command.line = line;
        ::PostThreadMessageW(loopThread, WM_APP, 0, 0);
        ::WaitForSingleObject(command.done, INFINITE);
    }
    ::PostThreadMessageW(loopThread, WM_APP, 1, 0);
}

} // namespace

int main()
{
    _setmode(_fileno(stdout), _O_BINARY); // lines end in \n alone
    std::unique_ptr<orvanel::InstanceLock> instance;
    const auto lock = orvanel::createInstanceLocks()->acquireInstanceLock("Orvanel", instance);
    if (lock != orvanel::InstanceLocks::LockResult::Acquired) {
        std::fputs(lock == orvanel::InstanceLocks::LockResult::AlreadyRunning ? "already running\n" : "no mutex\n",
                   stderr);
        return 255;
    }
    std::unique_ptr<orvanel::Backend> backend = orvanel::createBackend();
    orvanel::Settings settings;
    settings.TagFace = 2; // templates go in as written
    orvanel::TargetState target(backend->desktop(), backend->eventLoop());
    orvanel::TagInserter inserter(backend->eventLoop(), backend->desktop(), backend->clipboard(),
                                  backend->keyDelivery(), settings, target);
    backend->hotKey().setHotKeyHandler([] { answer("hotkey"); });

    auto command = [&](const std::string& line) {
        const auto space = line.find(' ');
        const std::string verb = line.substr(0, space);
        const std::string arg = space == std::string::npos ? std::string() : line.substr(space + 1);
        if (orvanel::test::runInsertCommand(verb, arg, settings, target, inserter, answer))
            return;
        if (verb == "hotkey") {
            unsigned modifiers = 0;
            int key = 0;
            std::sscanf(arg.c_str(), "%u %d", &modifiers, &key);
            static const char* const names[] = {"registered", "taken", "no such key", "failed"};
            answer(names[static_cast<int>(backend->hotKey().registerHotKey(modifiers, key))]);
        } else {
            answer("error unknown command");
        }
    };

    static CommandLine input;
    std::thread(readCommands, std::ref(input), ::GetCurrentThreadId()).detach();
    answer("ready");
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.hwnd || msg.message != WM_APP) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        } else if (msg.wParam == 1 || input.line == "quit") {
            break;
        } else {
            command(input.line);
            ::SetEvent(input.done);
        }
    }
    return 0;
}
