// Writes the delivered database at build time. A tool of its own, not the
// program: the build never runs what it has just built (cross builds,
// sanitized builds).
#include "data/dbschema.h"

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: twk-makedb PATH\n");
        return 2;
    }
    const QString error = CreateDatabase(QString::fromLocal8Bit(argv[1]), kDbPassword);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "twk-makedb: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
