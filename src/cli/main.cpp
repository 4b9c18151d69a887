// plotweave-cli: the equation editor, equation-set files and the graph view, headless.
#include "cli/cliCommands.h"

int main(int argc, char **argv) {
    return cliMain(argc, argv, cliExecMovie);
}
