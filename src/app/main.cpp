#include "app/Startup.h"

int main(int argc, char** argv)
{
    return orvanel::runOrvanel(argc, argv);
}
