#include "app/CommandLine.h"

#include "app/ComposeCommand.h"
#include "app/ExeFolder.h"
#include "app/TagVerb.h"
#include "project/LinksVerb.h"

#include <iostream>

namespace orvanel {

const std::vector<Verb>& verbs()
{
    // To add a verb: declare its function in its subsystem (core layer, no window) and
    // list it here.
    static const std::vector<Verb> table = {
        {"tag", "KEY", runTagVerb},
        {"compose", "PANEL [NAME=VALUE ...]", runComposeVerb},
        {"links", "TOPPAGE [--json] [--any-form]", runLinksVerb},
    };
    return table;
}

bool wantsCommandLine(int argc, char** argv)
{
    return argc > 1 && argv[1] && argv[1][0] != '-' && argv[1][0] != '\0';
}

int runCommandLine(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                   std::ostream& err, const std::string& programFolder,
                   const std::string& userFolder)
{
    if (args.empty()) {
        err << "orvanel: no command given\n";
        return 2;
    }
    for (const Verb& verb : verbs()) {
        if (args[0] != verb.name)
            continue;
        VerbContext context{std::vector<std::string>(args.begin() + 1, args.end()), in, out, err,
                            programFolder, userFolder};
        return verb.run(context);
    }
    err << "orvanel: unknown command \"" << args[0] << "\" (commands:";
    for (const Verb& verb : verbs())
        err << ' ' << verb.name;
    err << ")\n";
    return 2;
}

int runCommandLineFace(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    return runCommandLine(args, std::cin, std::cout, std::cerr, dataFolder(), userFolder());
}

} // namespace orvanel
