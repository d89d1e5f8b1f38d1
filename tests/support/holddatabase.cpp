// Another Tallywick + program in a process of its own: opens the database
// given on the command line with the program's key, says "open" and keeps it
// open until its standard input closes.
#include "data/dbconnection.h"
#include "data/dbschema.h"

#include <cstdio>
#include <iostream>
#include <string>

int main(int argc, char **argv)
{
    if (argc != 2)
        return 2;
    CDbConnection connection;
    try {
        connection.Open(kProviderSetting + DataSourcePart(QString::fromLocal8Bit(argv[1])), kDbUser, kDbPassword);
    } catch (const CDbError &e) {
        std::cerr << e.what() << '\n';
        return 1;
    }
    std::cout << "open" << std::endl;
    std::string line;
    while (std::getline(std::cin, line)) {
    }
    return 0;
}
