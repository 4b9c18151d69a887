// The commands of plotweave-cli. Each takes its arguments after the command name and
// answers the exit status; failures are thrown as cliError.
#pragma once

#include <QGuiApplication>

#include <memory>
#include <string>
#include <vector>

int cliMain(int argc, char **argv);

// Qt on its offscreen platform (the label fonts need it, no display does), its own
// warnings kept off standard error.
std::unique_ptr<QGuiApplication> cliGuiApplication();

// plotweave-cli movie; its usage text goes before the graph options in --help.
int cliRunMovie(const std::vector<std::string> &args);
extern const char *const cliMovieUsage;
