#include <QCoreApplication>
#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    std::fputs("platesolve: not built yet\n", stderr);
    return 2;
}
