// The floor veldrin-cli compile is measured against: a bare Qt command-line program that writes
// two files of the sizes of bank.bin and bank2.bin into a folder through the same durable writer
// (each file synced, the folder exchanged in one step). Usage: durable_write_floor OUT_DIR
#include "common/AtomicFolder.h"
#include "common/VeldrinError.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: durable_write_floor OUT_DIR\n");
        return 2;
    }
    try {
        veldrin::WriteFolderAtomically(QString::fromLocal8Bit(argv[1]),
                                       {{QStringLiteral("bank.bin"), QByteArray(26, '\1')},
                                        {QStringLiteral("bank2.bin"), QByteArray(34816, '\2')}});
    } catch (const veldrin::VeldrinError& error) {
        std::fprintf(stderr, "%s\n", qPrintable(error.message()));
        return 1;
    }
    return 0;
}
