// A Qt command-line program that does nothing: the floor veldrin-cli's start is measured against.
#include <QCoreApplication>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    return 0;
}
