#pragma once
// For the end-to-end tests and the benchmark under Wine: Wine's notepad in a process of its
// own, driven through its EDIT control's messages, and the insertion driver in a process of
// its own, spoken to through pipes.

#include "platform/win32/Win32Handles.h"

#include <windows.h>

#include <string>
#include <utility>

namespace orvanel::win32 {

class Notepad {
public:
    // Starts notepad and waits for its window; throws std::runtime_error when it does not come.
    Notepad();
    ~Notepad();
    Notepad(const Notepad&) = delete;
    Notepad& operator=(const Notepad&) = delete;

    void setText(const std::wstring& text);
    void select(DWORD start, DWORD end);
    // Through WM_GETTEXT: GetWindowText does not read another process's controls.
    std::wstring text() const;
    std::pair<DWORD, DWORD> selection() const;

private:
    UniqueHandle process_;
    HWND window_ = nullptr;
    HWND edit_ = nullptr;
};

class Driver {
public:
    // Starts the insertion driver beside this program; reads its first line ("ready" unless it
    // refused to start).
    Driver();
    ~Driver();
    Driver(const Driver&) = delete;
    Driver& operator=(const Driver&) = delete;

    const std::string& greeting() const { return greeting_; }
    // Writes a command line and returns the answer line.
    std::string ask(const std::string& line);
    std::string readLine();
    // Waits (bounded) for the driver to end; its exit status, or -1 when it does not end.
    int exitStatus(DWORD limitMs = 10000);

private:
    UniqueHandle process_;
    UniqueHandle toDriver_;
    UniqueHandle fromDriver_;
    std::string pending_;
    std::string greeting_;
};

} // namespace orvanel::win32
