// Stands in for the palette in the end-to-end tests and the insertion benchmark: it runs
// the X11 backend on a Qt event loop and, for each command line on standard input, does
// what a click on a tag button does (AppActivate, then InsertTemplate).
//
// Commands, one per line: method, auto, insert and lock (tests/support/InsertCommands.h), and
//   clipboard         answers "clipboard " + the clipboard text with \ and newlines escaped
//   hog MS            another program taking the clipboard: owns it with "intruder N" every MS
//                     milliseconds (0 stops); answers "ok"
//   quit

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimer>

#include <cstdio>
#include <iostream>
#include <string>
#include <unistd.h>

#include "InsertCommands.h"
#include "platform/Backend.h"
#include "platform/Diagnostics.h"

namespace {

std::string escaped(const std::string& s)
{
    std::string out;
    for (char ch : s) {
        if (ch == '\\')
            out += "\\\\";
        else if (ch == '\n')
            out += "\\n";
        else if (ch == '\r')
            out += "\\r";
        else
            out += ch;
    }
    return out;
}

void answer(const std::string& line)
{
    std::cout << line << std::endl;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    std::unique_ptr<orvanel::Backend> backend = orvanel::createBackend();
    orvanel::Settings settings;
    orvanel::TargetState target(backend->desktop(), backend->eventLoop());
    orvanel::TagInserter inserter(backend->eventLoop(), backend->desktop(), backend->clipboard(),
                                  backend->keyDelivery(), settings, target);
    inserter.setLog(orvanel::insertLog());

    std::string pending;
    QTimer hog;
    int hogCount = 0;
    QObject::connect(&hog, &QTimer::timeout, [&] {
        (void)backend->clipboard().setClipboardText("intruder " + std::to_string(++hogCount));
    });
    auto command = [&](const std::string& line) {
        auto space = line.find(' ');
        const std::string verb = line.substr(0, space);
        const std::string arg = space == std::string::npos ? std::string() : line.substr(space + 1);
        if (orvanel::test::runInsertCommand(verb, arg, settings, target, inserter, answer))
            return;
        if (verb == "clipboard") {
            const orvanel::ClipboardText read = backend->clipboard().readClipboard();
            answer("clipboard " + escaped(read.text));
        } else if (verb == "hog") {
            const int ms = std::stoi(arg);
            if (ms > 0)
                hog.start(ms);
            else
                hog.stop();
            answer("ok");
        } else if (verb == "quit") {
            QCoreApplication::quit();
        } else {
            answer("error unknown command");
        }
    };

    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char buf[65536];
        ssize_t n = read(STDIN_FILENO, buf, sizeof buf);
        if (n <= 0) {
            QCoreApplication::quit();
            return;
        }
        pending.append(buf, static_cast<size_t>(n));
        for (auto nl = pending.find('\n'); nl != std::string::npos; nl = pending.find('\n')) {
            std::string line = pending.substr(0, nl);
            pending.erase(0, nl + 1);
            command(line);
        }
    });
    // TagFace 2: templates go in as written.
    settings.TagFace = 2;
    answer("ready");
    return app.exec();
}
