#include "app/CChannelToolApp.h"
#include "res/Artwork.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName("channeltool");
    QApplication::setWindowIcon(ProgramIcon());
    CChannelToolApp app;
    app.InitInstance();
    return 0;
}
