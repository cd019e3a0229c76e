#include "mapdata/filereplacement.h"
#include "tool/toolcontext.h"

#include <iostream>

int main(int argc, char** argv) {
    maporv::ignoreFileSizeSignal();
    std::vector<std::string> args(argv + 1, argv + argc);
    return maporv::tool::runTool(args, std::cout, std::cerr);
}
