// Stands in for the palette on Windows in the end-to-end tests and the insertion benchmark:
// it takes the instance mutex "Orvanel" as the program does (a second driver exits with
// status 255), runs the win32 backend on its message loop and, for each command line on
// standard input, does what a click on a tag button does (AppActivate, then InsertTemplate).
//
// Commands, one per line (UTF-8):
//   method N          InsertMethod := N
//   auto 0|1          AutoActive := 0/1
//   insert TEMPLATE   activation and insertion; answers "done MICROSECONDS TARGET-TITLE"
//   lock              activation and a click on the lock button; answers "locked TITLE"
//                     or "unlocked"
//   hotkey MODS KEY   registers the hot key (modifier bits, virtual-key code); answers
//                     "registered", "taken", "no such key" or "failed", and then "hotkey"
//                     at every press
//   quit
// Errors shown to the user are answered "error " + their text.

#include "insert/TagInserter.h"
#include "insert/TargetWindow.h"
#include "options/Settings.h"
#include "platform/Backend.h"
#include "platform/win32/Win32InstanceMutex.h"
#include "text/UserError.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace {

void answer(const std::string& line)
{
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

// Lines of standard input, read on a thread of their own and handed to the message loop.
// The thread shares the lines with the loop (and keeps them alive until the process ends).
class CommandLines {
public:
    explicit CommandLines(DWORD loopThread)
    {
        std::thread([shared = shared_, loopThread] { read(*shared, loopThread); }).detach();
    }
    // The next line; false when there is none yet. `ended` tells whether input has ended.
    bool next(std::string& line, bool& ended)
    {
        std::lock_guard<std::mutex> lock(shared_->mutex);
        ended = shared_->ended && shared_->lines.empty();
        if (shared_->lines.empty())
            return false;
        line = std::move(shared_->lines.front());
        shared_->lines.pop_front();
        return true;
    }

private:
    struct Shared {
        std::mutex mutex;
        std::deque<std::string> lines;
        bool ended = false;
    };

    static void read(Shared& shared, DWORD loopThread)
    {
        auto push = [&](std::string* line) {
            {
                std::lock_guard<std::mutex> lock(shared.mutex);
                if (line)
                    shared.lines.push_back(std::move(*line));
                else
                    shared.ended = true;
            }
            ::PostThreadMessageW(loopThread, WM_NULL, 0, 0); // wakes the loop
        };
        HANDLE in = ::GetStdHandle(STD_INPUT_HANDLE);
        std::string pending;
        char buf[65536];
        DWORD n = 0;
        while (::ReadFile(in, buf, sizeof buf, &n, nullptr) && n > 0) {
            pending.append(buf, n);
            for (auto nl = pending.find('\n'); nl != std::string::npos; nl = pending.find('\n')) {
                std::string line = pending.substr(0, nl);
                if (!line.empty() && line.back() == '\r')
                    line.pop_back();
                pending.erase(0, nl + 1);
                push(&line);
            }
        }
        push(nullptr);
    }

    std::shared_ptr<Shared> shared_ = std::make_shared<Shared>();
};

} // namespace

int main()
{
    _setmode(_fileno(stdout), _O_BINARY); // lines end in \n alone
    std::unique_ptr<orvanel::InstanceLock> instance;
    const auto lock = orvanel::win32::Win32InstanceMutexes().acquireInstanceLock("Orvanel", instance);
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
        if (verb == "method") {
            settings.InsertMethod = std::stoi(arg);
            answer("ok");
        } else if (verb == "auto") {
            settings.AutoActive = arg == "1";
            answer("ok");
        } else if (verb == "insert") {
            const auto start = std::chrono::steady_clock::now();
            try {
                target.AppActivate();
                inserter.InsertTemplate(arg);
            } catch (const orvanel::UserError& e) {
                answer(std::string("error ") + e.what());
                return;
            }
            const auto us = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
            answer("done " + std::to_string(us.count()) + " " + target.EditTargetWindow());
        } else if (verb == "lock") {
            target.AppActivate();
            answer(target.BtnLockTargetWindowClick() ? "locked " + target.EditTargetWindow() : "unlocked");
        } else if (verb == "hotkey") {
            unsigned modifiers = 0;
            int key = 0;
            std::sscanf(arg.c_str(), "%u %d", &modifiers, &key);
            static const char* const names[] = {"registered", "taken", "no such key", "failed"};
            answer(names[static_cast<int>(backend->hotKey().registerHotKey(modifiers, key))]);
        } else {
            answer("error unknown command");
        }
    };

    CommandLines input(::GetCurrentThreadId());
    answer("ready");
    for (;;) {
        std::string line;
        bool ended = false;
        while (input.next(line, ended)) {
            if (line == "quit")
                return 0;
            command(line);
        }
        if (ended)
            return 0;
        MSG msg;
        if (::GetMessageW(&msg, nullptr, 0, 0) <= 0)
            return 0;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}
