#include "app/cli.h"
#include "app/tallywickapp.h"
#include "controls/qtprintseam.h"
#include "controls/qtuiseam.h"

#include <QApplication>

int main(int argc, char **argv)
{
    // A command runs without a window and never hands over to a running
    // instance: it works alongside an open one.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (IsCliCall(arguments))
        return RunCli(arguments);

    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tallywick + "));
    QApplication::setOrganizationName(QStringLiteral("Norwend"));
    CQtUiSeam seam;
    SetUiSeam(&seam);
    CQtPrintSeam printSeam;
    SetPrintSeam(&printSeam);

    CTallywickApp app;
    if (!app.InitInstance(QApplication::applicationDirPath(), QApplication::arguments().mid(1)))
        return app.StartUpExitCode();
    QApplication::exec();
    return app.ExitInstance();
}
