// kvt3310-cli: the set-up tool's editor and upload without a window, for installers' scripts and tests.
#include <QCoreApplication>
#include <iostream>
#include <string>
#include <vector>

#include "CliProgram.h"
#include "HeadlessPlatform.h"

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    std::vector<std::string> args(argv + 1, argv + argc);
    HeadlessPlatform headless(std::cerr);
    return CliProgram(std::cout, std::cerr, headless).run(args);
}
