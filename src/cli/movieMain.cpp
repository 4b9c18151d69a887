// plotweave-cli-movie: plotweave-cli with its movie command, to which plotweave-cli hands
// "movie" over; the other commands behave as in plotweave-cli.
#include "cli/cliCommands.h"

int main(int argc, char **argv) {
    return cliMain(argc, argv, cliRunMovie);
}
