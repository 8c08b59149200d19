#include "ui/window/application.h"
#include "ui/window/form1.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    setUpApplication();
    Form1 window;
    window.Form_Load();
    return app.exec();
}
