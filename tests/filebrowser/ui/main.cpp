#include "tests/support/ui/QtTestMain.h"

int main(int argc, char** argv)
{
    return RunRegisteredQtTests(argc, argv);
}
