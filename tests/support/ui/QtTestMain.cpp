// The main of the Qt Test programs, as gtest_main is for GoogleTest ones.
#include "tests/support/ui/QtTestMain.h"

int main(int argc, char** argv)
{
    return RunRegisteredQtTests(argc, argv);
}
