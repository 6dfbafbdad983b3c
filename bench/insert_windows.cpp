// Times insertions into Wine's notepad through the Windows insertion driver: for each method,
// 20 insertions of <B>%SEL%</B> with five characters selected and 20 with nothing selected,
// from the trigger to the caret placed after the selection (the driver's own measure). Prints
// the median and the maximum in milliseconds, and how many insertions came out wrong.
// Run by bench/insert-windows, under Wine on a display.

#include "NotepadSupport.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

using orvanel::win32::Driver;
using orvanel::win32::Notepad;

int main()
{
    constexpr int Runs = 20;
    Driver driver;
    if (driver.greeting() != "ready") {
        std::fprintf(stderr, "the insertion driver did not start\n");
        return 1;
    }
    Notepad notepad;
    for (int method : {0, 1}) {
        driver.ask("method " + std::to_string(method));
        for (bool selected : {true, false}) {
            std::vector<double> ms;
            int wrong = 0;
            for (int run = 0; run <= Runs; ++run) { // run 0 warms up
                notepad.setText(L"hello world");
                notepad.select(selected ? 6 : 11, 11);
                const std::string reply = driver.ask("insert <B>%SEL%</B>");
                const bool right = reply.rfind("done ", 0) == 0 &&
                    notepad.text() == (selected ? L"hello <B>world</B>" : L"hello world<B></B>");
                if (!right)
                    ++wrong;
                else if (run > 0)
                    ms.push_back(std::stod(reply.substr(5)) / 1000.0);
            }
            std::sort(ms.begin(), ms.end());
            const double median = ms.empty() ? 0 : (ms[(ms.size() - 1) / 2] + ms[ms.size() / 2]) / 2;
            std::printf("notepad (Wine)     method %d  %-18s median %7.2f ms  max %7.2f ms  (%d of %d wrong)\n", method,
                        selected ? "with a selection" : "nothing selected", median, ms.empty() ? 0 : ms.back(), wrong,
                        Runs + 1);
            std::fflush(stdout);
        }
    }
    return 0;
}
