// What plotweave-cli knows of its movie command: the usage text, and the hand-over to
// plotweave-cli-movie, the one program that links FFmpeg. Mapping FFmpeg's libraries
// (over a hundred with their codecs) took about 30 ms at every start of every command.
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "cli/cliCommands.h"
#include "cli/cliSupport.h"

const char *const cliMovieUsage =
    "usage: plotweave-cli movie (FILE.plw | --eq EQUATION ... | --keys KEYS ...) "
    "-o OUT.mov|OUT.mp4|OUT.gif [options]\n"
    "Records k rising from MIN to MAX and falling back, one frame per step, at the image size.\n"
    "  --k-range MIN,MAX       the bounds of k (default -10,10)\n"
    "  --steps N               steps from MIN to MAX, 0 to 100000; 2 or less give 3 (default 20)\n"
    "  --quality LEVEL         .mov: 0, 1, 2 rpza from lower to better quality, 4 QuickTime\n"
    "                          Animation (lossless), 6 uncompressed RGB, others as 1; .mp4:\n"
    "                          H.264 from 0 (smallest) to 6 (best); .gif: no effect (default 1)\n"
    "  --fps N                 frames per second, 1 to 1000 (default 30)\n"
    "  --quiet                 no progress bar on standard error\n"
    "The graph options of render apply, except --k.\n";

int cliExecMovie(const std::vector<std::string> &args) {
    // The helper is built beside this program, and installed as a program that users do
    // not call, under PREFIX/libexec/plotweave when this one is PREFIX/bin/plotweave-cli.
    std::vector<char> self(4096);
    const ssize_t length = ::readlink("/proc/self/exe", self.data(), self.size() - 1);
    if (length <= 0)
        cliFail(QStringLiteral("movie: cannot find plotweave-cli-movie: %1")
                    .arg(QString::fromLocal8Bit(std::strerror(errno))));
    const std::string path(self.data(), static_cast<size_t>(length));
    const std::string folder = path.substr(0, path.rfind('/') + 1);
    std::string helper = folder + "plotweave-cli-movie";
    if (::access(helper.c_str(), X_OK) != 0)
        helper = folder + "../libexec/plotweave/plotweave-cli-movie";
    std::vector<std::string> words{"plotweave-cli", "movie"};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char *> argv;
    for (std::string &word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    ::execv(helper.c_str(), argv.data());
    cliFail(QStringLiteral("movie: cannot run %1: %2")
                .arg(QString::fromStdString(helper), QString::fromLocal8Bit(std::strerror(errno))));
}
