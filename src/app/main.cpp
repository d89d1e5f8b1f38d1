#include "app/tallywickapp.h"
#include "controls/qtprintseam.h"
#include "controls/qtuiseam.h"
#include "data/dbschema.h"

#include <QApplication>

#include <cstdio>
#include <cstring>

namespace {

int CreateDatabaseCommand(const char *path)
{
    const QString error = CreateDatabase(QString::fromLocal8Bit(path), kDbPassword);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "tallywick: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc >= 2 && std::strcmp(argv[1], "--create-database") == 0) {
        if (argc != 3) {
            std::fprintf(stderr, "usage: tallywick --create-database PATH\n");
            return 2;
        }
        return CreateDatabaseCommand(argv[2]);
    }

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
