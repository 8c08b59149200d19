#include "ui/files/lessonfiles.h"
#include "ui/window/application.h"
#include "ui/window/commandline.h"
#include "ui/window/form1.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char* argv[])
{
    if (const auto status = CommandLine::answerWithoutWindow(argc, argv))
        return *status;
    QApplication app(argc, argv);
    setUpApplication();
    Form1 window;
    window.Form_Load();
    // A file named on the command line opens once the designed window has
    // started and shown itself.
    if (const QString file = CommandLine::fileToOpen(); !file.isEmpty())
        QTimer::singleShot(0, &window, [&window, file] { window.files().open(file); });
    return app.exec();
}
