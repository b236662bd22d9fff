// For now the program only asks for the box's address; the main window comes next.
#include "app/ConnectAddress.h"
#include "res/Artwork.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setWindowIcon(ProgramIcon());
    const auto address = AskAddress({}, nullptr);
    if (!address)
        return 0;
    std::string current;
    RememberAddress(current, *address);
    std::printf("%s\n", current.c_str());
    return 0;
}
