#pragma once
// The keys of an insertion, by window messages sent to a control (each one waited for,
// bounded) or by synthesized input (SendInput), and the questions that show what the target
// did with them.

#include <windows.h>

#include <chrono>
#include <optional>
#include <utility>
#include <vector>

namespace orvanel::win32 {

// How a message sent to a window ended.
enum class Answer {
    Handled,  // its window procedure returned
    TimedOut, // no answer within the limit, or the window's thread is hung
    Refused,  // the system did not deliver it (a window of a higher integrity level)
    Gone,     // the window is gone
};

// SendMessageTimeoutW: sends `message` and waits, bounded, for the window to handle it.
Answer sendBounded(HWND w, UINT message, WPARAM wp, LPARAM lp, std::chrono::milliseconds limit,
                   LRESULT* result = nullptr);

// The lParam of a key-down message for `vk`: repeat count 1, its scan code, the extended-key
// bit for the keys of the cursor block.
LPARAM keyDownParam(WORD vk);

// Synthesized key events.
using Keys = std::vector<INPUT>;
void addKey(Keys& keys, WORD vk, bool down);
// Modifier down, key down, key up, modifier up (no modifier: 0).
void addChord(Keys& keys, WORD modifier, WORD key);
// Key-up events for every Shift, Ctrl, Alt and Windows key that is held now (the hot key's),
// so that the keys we type are not taken with them.
void addHeldModifiersUp(Keys& keys);
// SendInput; false when not every event went in (input blocked, another desktop).
bool typeKeys(Keys keys);

// The selection of an edit control (Edit, RichEdit, Scintilla and controls derived from
// them), as its start and end; nullopt for other controls or when it does not answer.
using Selection = std::pair<DWORD, DWORD>;
std::optional<Selection> selectionOf(HWND control, std::chrono::milliseconds limit);

// Sends WM_NULL to `w` `turns` times, each after the answer to the one before: its thread has
// gone round its message loop so often. False when it did not answer within `limit`.
bool loopTurns(HWND w, int turns, std::chrono::milliseconds limit);

} // namespace orvanel::win32
