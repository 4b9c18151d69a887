// plotweave-cli movie: records one sweep of k up and down, as the window's movie command
// does, drawing each frame with the headless graph view.
#include <QElapsedTimer>
#include <QFileInfo>

#include <unistd.h>

#include <atomic>
#include <cmath>
#include <csignal>
#include <cstdio>

#include "cli/cliCommands.h"
#include "cli/cliEquationSet.h"
#include "cli/cliGraph.h"
#include "movie/slKSweep.h"
#include "movie/slPartFiles.h"
#include "platform/graphBitmapFont.h"
#include "view/graphDefaults.h"

namespace {

std::atomic<int> interruptedBy{0};  // the signal that asked the recording to stop

// One line on a terminal: bar, frame count and the time left, redrawn at most ten times a
// second and once at the end.
class progressBar {
public:
    progressBar(size_t total, bool shown) : total(total), shown(shown) { clock.start(); }
    ~progressBar() {
        if (drawn) std::fputs("\n", stderr);
    }

    void update(size_t done) {
        if (!shown || (done < total && drawn && clock.elapsed() - lastDraw < 100)) return;
        lastDraw = clock.elapsed();
        drawn = true;
        const int width = 30;
        const int filled = total ? static_cast<int>(done * width / total) : width;
        const double left = done ? static_cast<double>(clock.elapsed()) / 1000.0 *
                                       static_cast<double>(total - done) / static_cast<double>(done)
                                 : 0.0;
        std::fprintf(stderr, "\r[%.*s%*s] %zu/%zu frames, %.0f s left ", filled,
                     "##############################", width - filled, "", done, total,
                     std::ceil(left));
        std::fflush(stderr);
    }

private:
    size_t total;
    bool shown, drawn = false;
    QElapsedTimer clock;
    qint64 lastDraw = 0;
};

}  // namespace

int cliRunMovie(const std::vector<std::string> &args) {
    std::vector<std::string> valued;
    for (const std::string &name : cliGraphOptionNames())
        if (name != "--k") valued.push_back(name);
    for (const char *name : {"-o", "--k-range", "--steps", "--quality", "--fps"})
        valued.push_back(name);
    const cliArguments parsed(args, {"--keys", "--quiet"}, valued);

    // 1. Options, all checked before anything is drawn or written.
    const std::optional<QString> output = parsed.value("-o");
    if (!output) cliUsageError(QStringLiteral("movie needs -o OUT.mov, OUT.mp4 or OUT.gif"));
    const QString suffix = QFileInfo(*output).suffix().toLower();
    if (suffix != QLatin1String("mov") && suffix != QLatin1String("mp4") &&
        suffix != QLatin1String("gif"))
        cliFail(QStringLiteral("-o %1: the movie must be a .mov, .mp4 or .gif file").arg(*output));
    const cliGraphOptions options = cliParseGraphOptions(parsed);
    double minK = graphDefaults::minimumK, maxK = graphDefaults::maximumK;
    if (auto v = parsed.value("--k-range")) {
        std::tie(minK, maxK) = cliParsePair("--k-range", *v);
        if (!(minK <= maxK) || std::fabs(minK) > 1e12 || std::fabs(maxK) > 1e12)
            cliFail(QStringLiteral("--k-range \"%1\": expected MIN,MAX with MIN <= MAX").arg(*v));
    }
    const int steps = parsed.value("--steps")
                          ? cliParseInteger("--steps", *parsed.value("--steps"), 0, 100000)
                          : graphDefaults::animationSteps;
    const int quality = parsed.value("--quality")
                            ? cliParseInteger("--quality", *parsed.value("--quality"), 0, 1000000)
                            : 1;
    const int fps =
        parsed.value("--fps") ? cliParseInteger("--fps", *parsed.value("--fps"), 1, 1000) : 30;
    cliCheckWritable(*output);

    // 2. The equations and the view.
    cliDriverPreload driver;
    std::shared_ptr<graphEquationTable> table = cliGraphSource(parsed, "movie");
    auto app = cliGuiApplication();
    loadGraphFonts();
    driver.wait();
    cliHeadlessGraph graph(*table, options);
    graphGLView &view = graph.view();

    // 3. The recorder: time scale fps, every frame one unit long. A signal that would end
    //    the process (a closed terminal, a broken pipe, a timer, kill) from here on
    //    abandons the recorder, which removes its temporary file; a signal the caller
    //    ignores stays ignored.
    auto onInterrupt = [](int number) { interruptedBy = number; };
    for (const int number : slPartFiles::cleanedSignals) {
        struct sigaction current {};
        if (::sigaction(number, nullptr, &current) == 0 && current.sa_handler == SIG_IGN) continue;
        struct sigaction action {};
        action.sa_handler = onInterrupt;
        sigemptyset(&action.sa_mask);
        ::sigaction(number, &action, nullptr);
    }
    slMovieRecord recorder;
    if (!recorder.initWithPath(*output, QRectF(0, 0, view.viewWidth(), view.viewHeight()), fps,
                               quality))
        cliFail(recorder.errorString());

    // 4. The sweep.
    const std::vector<double> ks = slKSweep(minK, maxK, steps);
    int status;
    {
        progressBar progress(ks.size(), !parsed.has("--quiet") && isatty(STDERR_FILENO));
        status = slRecordKSweep(
            recorder, ks,
            [&](double k) {
                view.setK(k);
                view.compileEquations();
                view.drawRect();
                return view.RGBAPixels();
            },
            [&](size_t done) {
                progress.update(done);
                return interruptedBy == 0;
            });
    }
    if (status == 1)
        throw cliError(128 + interruptedBy,
                       QStringLiteral("%1: interrupted, nothing written").arg(*output));
    if (status != 0)
        cliFail(QStringLiteral("%1: cannot write the movie: %2")
                    .arg(*output, recorder.errorString().isEmpty()
                                      ? QStringLiteral("nothing was drawn")
                                      : recorder.errorString()));
    if (recorder.closeMovie() != 0)
        cliFail(
            QStringLiteral("%1: cannot write the movie: %2").arg(*output, recorder.errorString()));
    return 0;
}
