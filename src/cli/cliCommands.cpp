#include "cli/cliCommands.h"

#include <QGuiApplication>

#include <cstdio>
#include <map>

#include "cli/cliEditor.h"
#include "cli/cliEquationSet.h"
#include "cli/cliGraph.h"
#include "cli/cliSupport.h"
#include "cli/cliTypeset.h"
#include "equationEditor/geEditLeaves.h"
#include "equationEditor/geFont.h"
#include "equationEditor/geUnboundVariables.h"
#include "platform/graphBitmapFont.h"

namespace {

using argList = std::vector<std::string>;

const char *const generalHelp =
    "usage: plotweave-cli COMMAND [OPTIONS] ...\n"
    "\n"
    "Commands (plotweave-cli help COMMAND, or COMMAND --help, for each):\n"
    "  type      show how keys or a text read: text form, kind, calculator line, tree\n"
    "  new       write an equation set (.plw) with one entry per EQUATION\n"
    "  show      list the entries of an equation set\n"
    "  render    graph an equation set or equations into a PNG, SVG, PDF or TIFF image\n"
    "  geometry  print the primitives each renderer compiles\n"
    "  typeset   lay an equation out as the editor shows it, into a PNG or PDF picture\n"
    "  movie     record k sweeping up and down as a .mov, .mp4 or .gif movie\n"
    "\n"
    "An EQUATION is ordinary text: y = x^2/8 - 3, y = 3x^2 + 2x + 1, z = sin(x) cos(y),\n"
    "x = cos(t), y = sin(t). ^ binds tightest and to the right, then /, unary minus, * and\n"
    "products written side by side, + and -, =, and , (parametric lists). Functions: sin cos\n"
    "tan asin acos atan sinh cosh tanh erf erfc log (base 10) ln abs dx dy, called as sin(x)\n"
    "or sin x, sin 2x being sin(2x); sqrt(x), root(x, n), |x|; pi (or \xcf\x80) and e; e^x for\n"
    "the exponential. sin^2 x, sin^-1 x, exp, arcsin, log10, lg, sec, csc, cot, cbrt, pow(a, b),\n"
    "** and f(x) = ... are read as other programs write them.\n"
    "Other single letters are user constants (--const NAME=VALUE, else 1.0).\n"
    "\n"
    "KEYS (after --keys) are typed as the equation editor receives them: each character as\n"
    "itself, \\b Backspace, \\< Left arrow, \\> Right arrow, \\a select-all, \\\\ a backslash.\n"
    "An EQUATION or KEYS starting with \"-\" goes after --: arguments after -- are never options.\n"
    "\n"
    "  --version   print the version\n"
    "Exit status: 0 success, 1 bad input (reason on standard error), 2 usage.\n";

const char *const graphOptionsHelp =
    "  --eq EQUATION           an entry as text; plain arguments after it are text entries too\n"
    "  --eq-file FILE          entries as text, one per line of FILE (- for standard input);\n"
    "                          blank lines and lines starting with # are skipped\n"
    "  --keys                  plain arguments after it are entries typed as KEYS\n"
    "  --color RRGGBB          the colour of the entries after it (before any: distinct\n"
    "                          colours from a palette)\n"
    "  --const NAME=VALUE      a user constant (repeatable); others are 1.0, with a warning\n"
    "  --size WxH              image size in pixels (default 800x600)\n"
    "  --k K                   the parameter k (default 1)\n"
    "  --region XMIN,XMAX,YMIN,YMAX   the visible region (2D; the domain in 3D;\n"
    "                          default -50,50,-50,50)\n"
    "  --grid SX,SY|auto       grid spacing in graph units (default auto: 1, 2 or 5 times a\n"
    "                          power of ten, five to ten lines per axis)\n"
    "  --fit                   2D: the y range that shows the curves over the x range;\n"
    "                          3D: focus and camera distance that show everything\n"
    "  --draw-mode N           3D draw mode: 0 points, 1 wireframe, 2 shaded (default),\n"
    "                          3 checkerboard\n"
    "  --divisions N           3D subdivision, 4 to 200 (default 60)\n"
    "  --rotation X,Y          3D camera rotation in degrees about x and y (default\n"
    "                          -21.34,-45: z up, the x-y plane seen from 30 degrees above)\n"
    "  --color-by-height on|off   3D surfaces coloured by height (default on)\n"
    "  --t-range A,B           parameter range of t, at most 500 long (default 0,40)\n"
    "  --s-range A,B           parameter range of s, at most 500 long (default 0,20)\n"
    "  --theta-range A,B       range of the polar angle, at most 500 long (default 0,2pi)\n";

const std::map<std::string, std::string> commandHelp{
    {"type",
     "usage: plotweave-cli type [--tree] [--const NAME=VALUE] KEYS\n"
     "       plotweave-cli type --text [--tree] [--const NAME=VALUE] EQUATION\n"
     "Types KEYS into an empty equation, or reads EQUATION as text, and prints its text form,\n"
     "its kind or the reason it cannot be graphed, and the calculator line; --tree adds the\n"
     "editor tree, the node with the cursor marked @position.\n"},
    {"new",
     "usage: plotweave-cli new -o FILE.plw [--color RRGGBB] EQUATION [[--color RRGGBB] EQUATION "
     "...]\n"
     "Writes an equation set with one entry per EQUATION, named Equation 1, Equation 2, ...\n"
     "--color sets the colour of the entries that follow it (black without one); --keys\n"
     "types the entries after it as KEYS, --eq EQUATION goes back to text; --eq-file FILE\n"
     "reads one EQUATION per line of FILE (- for standard input).\n"},
    {"show",
     "usage: plotweave-cli show FILE.plw\n"
     "Prints one line per entry: index, name, #RRGGBB, text, kind or message (tab-separated).\n"
     "The text reads back with new. Control characters are shown escaped (\\t, \\x1B).\n"},
    {"render",
     std::string(
         "usage: plotweave-cli render (FILE.plw | --eq EQUATION ... | --keys KEYS ...) "
         "-o OUT.png|OUT.svg|OUT.pdf|OUT.tiff [options]\n"
         "Graphs the equations headless as the graph view does and writes the image. 2D\n"
         "graphs are painted anti-aliased, as vectors with text labels in SVG and PDF; 3D\n"
         "graphs are drawn with OpenGL (an embedded image in SVG and PDF). Entries without\n"
         "a --color get distinct colours.\n") +
         graphOptionsHelp +
         "  --scale S               line widths, point sizes and labels times S, 0.25 to 10\n"
         "  --legend                a box with each entry's colour and equation\n"},
    {"geometry",
     std::string(
         "usage: plotweave-cli geometry (FILE.plw | --eq EQUATION ... | --keys KEYS ...) "
         "[options]\n"
         "Prints each renderer's class and the primitives of its display list:\n"
         "  renderer <index> <class>\n"
         "  primitive <GL mode> <vertex count> first <x> <y> [<z>] last <x> <y> [<z>]\n"
         "A shaded region's fill primitives follow a line \"fill <index>\".\n"
         "  --points                every vertex instead, one \"x y\" (or \"x y z\") line\n"
         "                          each, blocks separated by a blank line (the table\n"
         "                          format plotting tools read); regions give their boundary\n"
         "  --labels                then the view's texts: label <x> <y> <text> (graph\n"
         "                          units in 2D, view pixels from the lower left in 3D)\n") +
         graphOptionsHelp},
    {"movie", std::string(cliMovieUsage) + graphOptionsHelp},
    {"typeset",
     "usage: plotweave-cli typeset (EQUATION | --keys KEYS) -o OUT.png|OUT.pdf [--font-size PT] "
     "[--scale S]\n"
     "Reads EQUATION (or types KEYS) and writes its layout as a picture.\n"
     "  --font-size PT   the editor font's size in points, 4 to 400 (default 24)\n"
     "  --scale S        pixels (PNG) or points (PDF) per point of layout, 0.1 to 20 (default "
     "1)\n"},
};

bool wantsHelp(const argList &args) {
    for (const std::string &a : args) {
        if (a == "--") return false;
        if (a == "--help" || a == "-h") return true;
    }
    return false;
}

void defineConstants(const cliArguments &parsed) {
    for (const auto &[option, value] : parsed.items())
        if (option == "--const") cliConstants::shared().define(value);
}

int runType(const argList &args) {
    const cliArguments parsed(args, {"--tree", "--text"}, {"--const"});
    const bool text = parsed.has("--text");
    const std::vector<QString> given = parsed.positional();
    if (given.size() != 1)
        cliUsageError(text ? QStringLiteral("type --text takes one EQUATION argument")
                           : QStringLiteral("type takes one KEYS argument"));
    defineConstants(parsed);

    graphEquationEditorModel model;
    model.setConstantLookup(
        [](const QString &name) { return cliConstants::shared().constantForString(name); });
    if (text) {
        // A text read has no cursor; the calculator line is the editor's for the tree.
        model.setEquation(cliParsedEquation(given[0], QStringLiteral("equation")));
        if (model.keyResponder()) model.keyResponder()->setHasCursor(false);
        model.calculate();
    } else {
        model.setEquation(geEdit::rootWithExpression(geEditEmpty::emptyExpression()));
        cliTypeKeys(model, cliParseKeys(given[0]));
    }
    const geEditPtr root = model.equation();
    cliConstants::warnUndefined(cliConstants::shared().undefinedLetters(root));
    if (const QString warning = geUnboundVariablesWarning(root.get()); !warning.isEmpty())
        cliPrintError(QStringLiteral("plotweave-cli: warning: ") + warning);
    const cliClassification c = cliClassify(root);
    QString status = model.statusText();
    if (status.endsWith(QLatin1Char('\n'))) status.chop(1);
    cliPrint(QStringLiteral("text: ") + root->string());
    cliPrint((c.graphable ? QStringLiteral("kind: ") : QStringLiteral("error: ")) + c.text);
    // Nothing follows the colon when the calculator line is empty.
    cliPrint(status.isEmpty() ? QStringLiteral("calc:") : QStringLiteral("calc: ") + status);
    if (parsed.has("--tree")) cliPrint(QStringLiteral("tree: ") + cliTreeString(root));
    return 0;
}

int runNew(const argList &args) {
    const cliArguments parsed(args, {"--keys"}, {"-o", "--color", "--eq", "--eq-file"});
    const std::optional<QString> output = parsed.value("-o");
    if (!output) cliUsageError(QStringLiteral("new needs -o FILE.plw"));
    const std::vector<cliEntry> entries = cliEntriesFromArguments(parsed, true);
    if (entries.empty()) cliUsageError(QStringLiteral("new needs at least one EQUATION argument"));
    std::shared_ptr<graphEquationTable> table = cliTableFromEntries(entries);
    cliWriteEquationSet(*table, *output);
    return 0;
}

int runShow(const argList &args) {
    const cliArguments parsed(args, {}, {});
    const std::vector<QString> files = parsed.positional();
    if (files.size() != 1) cliUsageError(QStringLiteral("show takes one FILE.plw argument"));
    std::shared_ptr<graphEquationTable> table = cliReadEquationSet(files[0]);
    for (const QString &line : cliShowLines(*table)) cliPrint(line);
    return 0;
}

// Qt's own warnings (a missing XDG_RUNTIME_DIR, ...) are noise for a command line tool
// whose failures are reported as one line each.
void quietQtMessages(QtMsgType type, const QMessageLogContext &, const QString &message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        cliPrintError(QStringLiteral("plotweave-cli: ") + message);
}

}  // namespace

std::unique_ptr<QGuiApplication> cliGuiApplication() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // No event loop runs: Qt's own dispatcher starts faster than GLib's.
    qputenv("QT_NO_GLIB", "1");
    qInstallMessageHandler(quietQtMessages);
    static int argc = 1;
    static char name[] = "plotweave-cli";
    static char *argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

namespace {

int runRender(const argList &args) {
    std::vector<std::string> valued = cliGraphOptionNames();
    valued.push_back("-o");
    const cliArguments parsed(args, cliGraphFlagNames(), valued);
    const std::optional<QString> output = parsed.value("-o");
    if (!output)
        cliUsageError(QStringLiteral("render needs -o OUT.png, OUT.svg, OUT.pdf or OUT.tiff"));
    const cliGraphOptions options = cliParseGraphOptions(parsed);
    std::shared_ptr<graphEquationTable> table = cliGraphSource(parsed, "render");
    // 2D graphs are painted without OpenGL; for the others the driver loads on another
    // thread while Qt starts and the label fonts are rasterised.
    std::optional<cliDriverPreload> driver;
    if (cliRenderNeedsOpenGL(*table, *output)) driver.emplace();
    auto app = cliGuiApplication();
    if (driver) {
        loadGraphFonts(options.scale);
        driver->wait();
    }
    cliRenderImage(*table, options, *output);
    return 0;
}

int runGeometry(const argList &args) {
    std::vector<std::string> flags = cliGraphFlagNames();
    flags.push_back("--points");
    const cliArguments parsed(args, flags, cliGraphOptionNames());
    const cliGraphOptions options = cliParseGraphOptions(parsed);
    std::shared_ptr<graphEquationTable> table = cliGraphSource(parsed, "geometry");
    for (const QString &line : cliGeometryLines(*table, options, parsed.has("--points")))
        cliPrint(line);
    return 0;
}

int runTypeset(const argList &args) {
    const cliArguments parsed(args, {"--keys"}, {"-o", "--font-size", "--scale"});
    const std::optional<QString> output = parsed.value("-o");
    if (!output) cliUsageError(QStringLiteral("typeset needs -o OUT.png or -o OUT.pdf"));
    double fontSize = geDefaultFontSize, scale = 1.0;
    if (auto v = parsed.value("--font-size")) {
        fontSize = cliParseNumber("--font-size", *v);
        if (fontSize < 4.0 || fontSize > 400.0)
            cliFail(QStringLiteral("--font-size \"%1\": expected 4 to 400 points").arg(*v));
    }
    if (auto v = parsed.value("--scale")) {
        scale = cliParseNumber("--scale", *v);
        if (scale < 0.1 || scale > 20.0)
            cliFail(QStringLiteral("--scale \"%1\": expected 0.1 to 20").arg(*v));
    }
    const std::vector<QString> given = parsed.positional();
    if (given.size() != 1)
        cliUsageError(QStringLiteral("typeset takes one EQUATION or --keys KEYS argument"));
    cliCheckTypesetPath(*output);
    const geEditPtr root = parsed.has("--keys")
                               ? cliTypedEquation(given[0])
                               : cliParsedEquation(given[0], QStringLiteral("equation"));
    auto app = cliGuiApplication();
    cliTypeset(root, *output, fontSize, scale);
    return 0;
}

}  // namespace

int cliMain(int argc, char **argv, cliMovieRunner movie) {
    const argList all(argv + 1, argv + argc);
    try {
        if (all.empty() || all[0] == "--help" || all[0] == "-h" ||
            (all[0] == "help" && all.size() == 1)) {
            std::fputs(generalHelp, all.empty() ? stderr : stdout);
            return all.empty() ? cliUsage : 0;
        }
        if (all[0] == "--version") {
            std::printf("plotweave-cli %s\n", PLOTWEAVE_VERSION);
            return 0;
        }
        if (all[0] == "help") {
            const auto help = commandHelp.find(all[1]);
            if (help == commandHelp.end() || all.size() > 2)
                cliUsageError(QStringLiteral(
                    "help takes one command name (plotweave-cli --help lists them)"));
            std::fputs(help->second.c_str(), stdout);
            return 0;
        }
        const std::string command = all[0];
        const argList args(all.begin() + 1, all.end());
        const auto help = commandHelp.find(command);
        if (help != commandHelp.end() && wantsHelp(args)) {
            std::fputs(help->second.c_str(), stdout);
            return 0;
        }
        if (command == "type") return runType(args);
        if (command == "new") return runNew(args);
        if (command == "show") return runShow(args);
        if (command == "render") return runRender(args);
        if (command == "geometry") return runGeometry(args);
        if (command == "typeset") return runTypeset(args);
        if (command == "movie") return movie(args);
        cliUsageError(QStringLiteral("unknown command %1 (plotweave-cli --help lists them)")
                          .arg(QString::fromStdString(command)));
    } catch (const cliError &e) {
        // Messages may hold names and texts taken from files and arguments.
        const QString message = cliEscaped(QString::fromUtf8(e.what()));
        cliPrintError(e.bare ? message : QStringLiteral("plotweave-cli: ") + message);
        if (e.status == cliUsage) std::fputs("Try plotweave-cli --help.\n", stderr);
        return e.status;
    } catch (const std::exception &e) {
        cliPrintError(QStringLiteral("plotweave-cli: ") + cliEscaped(QString::fromUtf8(e.what())));
        return cliBadInput;
    }
}
