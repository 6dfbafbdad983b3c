#pragma once
// The command-line face: "orvanel VERB ARGS..." runs a verb without any window and ends
// with its status. Verbs are listed in one table in CommandLine.cpp.

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace orvanel {

struct VerbContext {
    std::vector<std::string> args; // the arguments after the verb
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
    std::string programFolder;     // the shipped tag lists
    std::string userFolder;        // "Orvanel.ini" and the user tag files
};

// A verb's work; returns the exit status. Bad arguments: one line on `err`, status 2.
using VerbFunction = int (*)(VerbContext& context);

struct Verb {
    const char* name;
    const char* usage;   // the arguments, for the message on bad use
    VerbFunction run;
};

// Every verb the executable knows.
const std::vector<Verb>& verbs();

// Whether argv[1] asks for the command-line face: a first argument that is not an option
// ("-..."), so that Qt's own options still start the palette.
bool wantsCommandLine(int argc, char** argv);

// Runs the verb named by args[0] with the rest; an unknown verb gives one line on `err`
// and status 2.
int runCommandLine(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                   std::ostream& err, const std::string& programFolder,
                   const std::string& userFolder);

// The executable's command-line face: runCommandLine with argv[1...] on the process's
// standard streams, the shipped data folder and the user's folder.
int runCommandLineFace(int argc, char** argv);

} // namespace orvanel
