#include "app/CChannelToolApp.h"
#include "app/InfoOptions.h"
#include "res/Artwork.h"
#include "util/Version.h"

#include <QApplication>

#include <iostream>

int main(int argc, char** argv)
{
    if (const std::optional<int> status = AnswerInfoOption({argv + 1, argv + argc}, std::cout))
        return *status;
    QApplication application(argc, argv);
    // The toolkit has taken its own options out; the program has none of its own.
    if (const QStringList rest = QApplication::arguments().mid(1); !rest.isEmpty()) {
        std::cerr << "channeltool: unknown argument: " << qPrintable(rest.first())
                  << "\n(channeltool --help lists the options)\n";
        return 2;
    }
    QApplication::setApplicationName("channeltool");
    QApplication::setApplicationVersion(kProgramVersion);
    // Lets a Wayland desktop match the window to the menu entry and its icon.
    QGuiApplication::setDesktopFileName("channeltool");
    QApplication::setWindowIcon(ProgramIcon());
    CChannelToolApp app;
    app.InitInstance();
    return app.ExitInstance();
}
