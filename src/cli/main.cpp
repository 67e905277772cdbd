#include <QCoreApplication>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    std::fprintf(stderr, "usage: nodeloom-cli run NAME FILE\n");
    return 2;
}
