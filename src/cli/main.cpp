#include "cli/CliMain.h"

int main(int argc, char** argv)
{
    return daylark::runCliProcess(argc, argv);
}
