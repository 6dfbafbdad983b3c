#pragma once
// The commands both insertion drivers (X11, Windows) take alike, done as the palette does:
//   method N          InsertMethod := N
//   auto 0|1          AutoActive := 0/1
//   insert TEMPLATE   activation and insertion; answers "done MICROSECONDS TARGET-TITLE", or
//                     "error " + the text shown to the user
//   lock              activation and a click on the lock button; answers "locked TITLE"
//                     or "unlocked"

#include "insert/TagInserter.h"
#include "insert/TargetWindow.h"
#include "options/Settings.h"
#include "text/UserError.h"

#include <chrono>
#include <functional>
#include <string>

namespace orvanel::test {

// Runs `verb` with `arg` and answers through `answer`; false when the verb is not one of these.
inline bool runInsertCommand(const std::string& verb, const std::string& arg, Settings& settings,
                             TargetState& target, TagInserter& inserter,
                             const std::function<void(const std::string&)>& answer)
{
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
            inserter.InsertTemplate(inserter.ApplyTagFace(arg));
        } catch (const UserError& e) {
            answer(std::string("error ") + e.what());
            return true;
        }
        const auto us = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
        answer("done " + std::to_string(us.count()) + " " + target.EditTargetWindow());
    } else if (verb == "lock") {
        // The palette was pressed and its lock button clicked: the target stays.
        target.AppActivate();
        answer(target.BtnLockTargetWindowClick() ? "locked " + target.EditTargetWindow() : "unlocked");
    } else {
        return false;
    }
    return true;
}

} // namespace orvanel::test
