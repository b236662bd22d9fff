#include "cli/CliCommands.h"

#include <iostream>

int main(int argc, char** argv)
{
    return RunCli({argv + 1, argv + argc}, std::cout, std::cerr, CliConsole::Process());
}
