// The commands of plotweave-cli. Each takes its arguments after the command name and
// answers the exit status; failures are thrown as cliError.
#pragma once

#include <string>
#include <vector>

int cliMain(int argc, char **argv);
