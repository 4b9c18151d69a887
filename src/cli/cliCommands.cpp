#include "cli/cliCommands.h"

#include <QGuiApplication>

#include <cstdio>
#include <map>

#include "cli/cliEditor.h"
#include "equationEditor/geEditLeaves.h"
#include "equationEditor/geFont.h"
#include "cli/cliEquationSet.h"
#include "cli/cliGraph.h"
#include "cli/cliSupport.h"
#include "cli/cliTypeset.h"
#include "platform/graphBitmapFont.h"

namespace {

using argList = std::vector<std::string>;

const char *const generalHelp =
    "usage: plotweave-cli COMMAND [OPTIONS] ...\n"
    "\n"
    "Commands (plotweave-cli COMMAND --help for each):\n"
    "  type      type keys into the equation editor and print the result\n"
    "  new       write an equation set (.plw) with one entry per KEYS\n"
    "  show      list the entries of an equation set\n"
    "  render    graph an equation set or typed equations into a PNG, SVG, PDF or TIFF image\n"
    "  geometry  print the primitives each renderer compiles\n"
    "  typeset   lay out typed equation as the editor shows it, into a PNG or PDF picture\n"
    "\n"
    "KEYS are typed as the equation editor receives them: each character as itself (pi as\n"
    "the character \xcf\x80), \\b Backspace, \\< Left arrow, \\> Right arrow, \\a select-all,\n"
    "\\\\ a backslash. Arguments after -- are never options.\n"
    "\n"
    "Exit status: 0 success, 1 bad input (reason on standard error), 2 usage.\n";

const char *const graphOptionsHelp =
    "  --size WxH              image size in pixels (default 800x600)\n"
    "  --k K                   the parameter k (default 1)\n"
    "  --region XMIN,XMAX,YMIN,YMAX   the visible region (2D; the domain in 3D)\n"
    "  --grid SX,SY|auto       grid spacing in graph units (default auto: 1, 2 or 5 times a\n"
    "                          power of ten, five to ten lines per axis)\n"
    "  --fit                   2D: the y range that shows the curves over the x range;\n"
    "                          3D: focus and camera distance that show everything\n"
    "  --draw-mode N           3D draw mode: 0 points, 1 wireframe, 2 shaded (default),\n"
    "                          3 checkerboard\n"
    "  --divisions N           3D subdivision, 4 to 200 (default 60)\n"
    "  --rotation X,Y          3D camera rotation in degrees about x and y\n"
    "  --t-range A,B           parameter range of t (default 0,40)\n"
    "  --s-range A,B           parameter range of s (default 0,20)\n";

const std::map<std::string, std::string> commandHelp{
    {"type",
     "usage: plotweave-cli type [--tree] KEYS\n"
     "Types KEYS into an empty equation and prints its text form, its kind or the reason it\n"
     "cannot be graphed, and the calculator line; --tree adds the editor tree, the node with\n"
     "the cursor marked @position.\n"},
    {"new",
     "usage: plotweave-cli new -o FILE.plw [--color RRGGBB] KEYS [[--color RRGGBB] KEYS ...]\n"
     "Writes an equation set with one entry per KEYS, named Equation 1, Equation 2, ...\n"
     "--color sets the colour of the entries that follow it (black without one).\n"},
    {"show",
     "usage: plotweave-cli show FILE.plw\n"
     "Prints one line per entry: index, name, #RRGGBB, text, kind or message (tab-separated).\n"},
    {"render",
     std::string("usage: plotweave-cli render (FILE.plw | --keys KEYS [KEYS ...]) "
                 "-o OUT.png|OUT.svg|OUT.pdf|OUT.tiff [options]\n"
                 "Graphs the equations headless as the graph view does and writes the image. 2D\n"
                 "graphs are painted anti-aliased, as vectors with text labels in SVG and PDF; 3D\n"
                 "graphs are drawn with OpenGL (an embedded image in SVG and PDF). Typed entries\n"
                 "get distinct colours.\n") +
         graphOptionsHelp +
         "  --scale S               line widths, point sizes and labels times S, 0.25 to 10\n"
         "  --legend                a box with each entry's colour and equation\n"},
    {"geometry",
     std::string("usage: plotweave-cli geometry (FILE.plw | --keys KEYS [KEYS ...]) [options]\n"
                 "Prints each renderer's class and the primitives of its display list:\n"
                 "  renderer <index> <class>\n"
                 "  primitive <GL mode> <vertex count> first <x> <y> [<z>] last <x> <y> [<z>]\n") +
         graphOptionsHelp},
    {"typeset",
     "usage: plotweave-cli typeset KEYS -o OUT.png|OUT.pdf [--font-size PT] [--scale S]\n"
     "Types KEYS into an empty equation and writes its layout as a picture.\n"
     "  --font-size PT   the editor font's size in points, 4 to 400 (default 24)\n"
     "  --scale S        pixels (PNG) or points (PDF) per point of layout, 0.1 to 20 (default 1)\n"},
};

bool wantsHelp(const argList &args)
{
    for (const std::string &a : args) {
        if (a == "--")
            return false;
        if (a == "--help" || a == "-h")
            return true;
    }
    return false;
}

int runType(const argList &args)
{
    const cliArguments parsed(args, {"--tree"}, {});
    const std::vector<QString> keys = parsed.positional();
    if (keys.size() != 1)
        cliUsageError(QStringLiteral("type takes one KEYS argument"));
    const std::vector<cliKey> typed = cliParseKeys(keys[0]);

    graphEquationEditorModel model;
    model.setEquation(geEdit::rootWithExpression(geEditEmpty::emptyExpression()));
    cliTypeKeys(model, typed);

    const cliClassification c = cliClassify(model.equation());
    QString status = model.statusText();
    if (status.endsWith(QLatin1Char('\n')))
        status.chop(1);
    cliPrint(QStringLiteral("text: ") + model.equation()->string());
    cliPrint((c.graphable ? QStringLiteral("kind: ") : QStringLiteral("error: ")) + c.text);
    // Nothing follows the colon when the calculator line is empty.
    cliPrint(status.isEmpty() ? QStringLiteral("calc:") : QStringLiteral("calc: ") + status);
    if (parsed.has("--tree"))
        cliPrint(QStringLiteral("tree: ") + cliTreeString(model.equation()));
    return 0;
}

int runNew(const argList &args)
{
    const cliArguments parsed(args, {}, {"-o", "--color"});
    const std::optional<QString> output = parsed.value("-o");
    if (!output)
        cliUsageError(QStringLiteral("new needs -o FILE.plw"));
    std::vector<cliEntryKeys> entries;
    std::optional<QColor> color;
    for (const auto &[option, value] : parsed.items()) {
        if (option == "--color")
            color = cliParseColor("--color", value);
        else if (option.empty())
            entries.push_back({value, color});
    }
    if (entries.empty())
        cliUsageError(QStringLiteral("new needs at least one KEYS argument"));
    std::shared_ptr<graphEquationTable> table = cliTableFromKeys(entries);
    cliWriteEquationSet(*table, *output);
    return 0;
}

int runShow(const argList &args)
{
    const cliArguments parsed(args, {}, {});
    const std::vector<QString> files = parsed.positional();
    if (files.size() != 1)
        cliUsageError(QStringLiteral("show takes one FILE.plw argument"));
    std::shared_ptr<graphEquationTable> table = cliReadEquationSet(files[0]);
    for (const QString &line : cliShowLines(*table))
        cliPrint(line);
    return 0;
}

// The equations of render and geometry: one file, or KEYS after --keys.
std::shared_ptr<graphEquationTable> graphSource(const cliArguments &parsed, const char *command)
{
    const std::vector<QString> positional = parsed.positional();
    if (parsed.has("--keys")) {
        if (positional.empty())
            cliUsageError(QStringLiteral("%1 --keys needs at least one KEYS argument").arg(command));
        std::vector<cliEntryKeys> entries;
        for (const QString &keys : positional)
            entries.push_back({keys, cliPaletteColor(static_cast<int>(entries.size()))});
        return cliTableFromKeys(entries);
    }
    if (positional.size() != 1)
        cliUsageError(QStringLiteral("%1 takes one FILE.plw or --keys KEYS ...").arg(command));
    return cliReadEquationSet(positional[0]);
}

// Qt's own warnings (a missing XDG_RUNTIME_DIR, ...) are noise for a command line tool
// whose failures are reported as one line each.
void quietQtMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        cliPrintError(QStringLiteral("plotweave-cli: ") + message);
}

// Fonts for the graph labels come through Qt's offscreen platform, so no display is needed.
std::unique_ptr<QGuiApplication> guiApplication()
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // No event loop runs: Qt's own dispatcher starts faster than GLib's.
    qputenv("QT_NO_GLIB", "1");
    qInstallMessageHandler(quietQtMessages);
    static int argc = 1;
    static char name[] = "plotweave-cli";
    static char *argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

int runRender(const argList &args)
{
    std::vector<std::string> valued = cliGraphOptionNames();
    valued.push_back("-o");
    std::vector<std::string> flags = cliGraphFlagNames();
    flags.push_back("--keys");
    const cliArguments parsed(args, flags, valued);
    const std::optional<QString> output = parsed.value("-o");
    if (!output)
        cliUsageError(QStringLiteral("render needs -o OUT.png, OUT.svg, OUT.pdf or OUT.tiff"));
    const cliGraphOptions options = cliParseGraphOptions(parsed);
    std::shared_ptr<graphEquationTable> table = graphSource(parsed, "render");
    // 2D graphs are painted without OpenGL; for the others the driver loads on another
    // thread while Qt starts and the label fonts are rasterised.
    std::optional<cliDriverPreload> driver;
    if (cliRenderNeedsOpenGL(*table, *output))
        driver.emplace();
    auto app = guiApplication();
    if (driver) {
        loadGraphFonts(options.scale);
        driver->wait();
    }
    cliRenderImage(*table, options, *output);
    return 0;
}

int runGeometry(const argList &args)
{
    std::vector<std::string> flags = cliGraphFlagNames();
    flags.push_back("--keys");
    const cliArguments parsed(args, flags, cliGraphOptionNames());
    const cliGraphOptions options = cliParseGraphOptions(parsed);
    std::shared_ptr<graphEquationTable> table = graphSource(parsed, "geometry");
    for (const QString &line : cliGeometryLines(*table, options))
        cliPrint(line);
    return 0;
}

int runTypeset(const argList &args)
{
    const cliArguments parsed(args, {}, {"-o", "--font-size", "--scale"});
    const std::vector<QString> keys = parsed.positional();
    if (keys.size() != 1)
        cliUsageError(QStringLiteral("typeset takes one KEYS argument"));
    const std::optional<QString> output = parsed.value("-o");
    if (!output)
        cliUsageError(QStringLiteral("typeset needs -o OUT.png or -o OUT.pdf"));
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
    auto app = guiApplication();
    cliTypeset(keys[0], *output, fontSize, scale);
    return 0;
}

}  // namespace

int cliMain(int argc, char **argv)
{
    const argList all(argv + 1, argv + argc);
    try {
        if (all.empty() || all[0] == "--help" || all[0] == "-h" || all[0] == "help") {
            std::fputs(generalHelp, all.empty() ? stderr : stdout);
            return all.empty() ? cliUsage : 0;
        }
        const std::string command = all[0];
        const argList args(all.begin() + 1, all.end());
        const auto help = commandHelp.find(command);
        if (help != commandHelp.end() && wantsHelp(args)) {
            std::fputs(help->second.c_str(), stdout);
            return 0;
        }
        if (command == "type")
            return runType(args);
        if (command == "new")
            return runNew(args);
        if (command == "show")
            return runShow(args);
        if (command == "render")
            return runRender(args);
        if (command == "geometry")
            return runGeometry(args);
        if (command == "typeset")
            return runTypeset(args);
        cliUsageError(QStringLiteral("unknown command %1 (plotweave-cli --help lists them)")
                          .arg(QString::fromStdString(command)));
    } catch (const cliError &e) {
        std::fprintf(stderr, e.bare ? "%s\n" : "plotweave-cli: %s\n", e.what());
        if (e.status == cliUsage)
            std::fputs("Try plotweave-cli --help.\n", stderr);
        return e.status;
    } catch (const std::exception &e) {
        std::fprintf(stderr, "plotweave-cli: %s\n", e.what());
        return cliBadInput;
    }
}
