#include "AccessImportTool.h"

int main(int argc, char* argv[])
{
    return AccessImportTool::run(argc, argv);
}
