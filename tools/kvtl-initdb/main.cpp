#include "InitDb.h"

#include "platform/AppError.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

using namespace Qt::StringLiterals;

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList arguments = app.arguments().mid(1);
    const bool demo = arguments.removeAll(u"--demo"_s) > 0;
    if (arguments.size() != 1 || arguments.first().startsWith(u'-')) {
        std::fputs("usage: kvtl-initdb FOLDER [--demo]\n", stderr);
        return 2;
    }
    try {
        CreateDataFolder(arguments.first(), demo);
    } catch (const AppError &error) {
        std::fprintf(stderr, "kvtl-initdb: %s\n", error.what());
        return 1;
    }
    std::printf("Data folder ready: %s\n", qPrintable(arguments.first()));
    return 0;
}
