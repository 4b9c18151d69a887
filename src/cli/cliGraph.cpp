#include "cli/cliGraph.h"
#include "app/graphPalette.h"

#include <QFileInfo>

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <cxxabi.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <memory>
#include <typeinfo>

#include "cli/cliEditor.h"
#include "platform/archive/slFileIO.h"
#include "render/graphRecordingDraw.h"
#include "view/graphDefaults.h"
#include "view/graphFit.h"
#include "view/graphLabels.h"

cliDriverPreload::cliDriverPreload()
    : thread([] {
          // The same surfaceless display the headless context asks for; it stays initialised.
          auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
              eglGetProcAddress("eglGetPlatformDisplayEXT"));
          if (getPlatformDisplay == nullptr) return;
          EGLDisplay display =
              getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
          EGLint major = 0, minor = 0;
          if (display != EGL_NO_DISPLAY) eglInitialize(display, &major, &minor);
      }) {}

void cliDriverPreload::wait() {
    if (thread.joinable()) thread.join();
}

const std::vector<std::string> &cliGraphOptionNames() {
    // --eq, --color and --const give the equations and constants (cliGraphSource).
    static const std::vector<std::string> names{"--size",      "--k",
                                                "--region",    "--grid",
                                                "--draw-mode", "--divisions",
                                                "--rotation",  "--t-range",
                                                "--s-range",   "--eq",
                                                "--color",     "--const",
                                                "--scale",     "--color-by-height",
                                                "--eq-file",   "--theta-range"};
    return names;
}

const std::vector<std::string> &cliGraphFlagNames() {
    static const std::vector<std::string> names{"--keys", "--fit", "--legend", "--labels"};
    return names;
}

cliGraphOptions cliParseGraphOptions(const cliArguments &args) {
    cliGraphOptions o;
    if (auto v = args.value("--size")) std::tie(o.width, o.height) = cliParseSize("--size", *v);
    if (auto v = args.value("--k")) o.k = cliParseNumber("--k", *v);
    if (auto v = args.value("--region")) {
        const QStringList parts = v->split(QLatin1Char(','));
        if (parts.size() != 4)
            cliFail(QStringLiteral("--region \"%1\": expected XMIN,XMAX,YMIN,YMAX").arg(*v));
        std::array<double, 4> r{};
        for (int i = 0; i < 4; i++)
            r[static_cast<size_t>(i)] = cliParseNumber("--region", parts[i]);
        // The view keeps its region in single precision: the extent must survive that.
        const float width = static_cast<float>(r[1] - r[0]),
                    height = static_cast<float>(r[3] - r[2]);
        if (!(width > 0.0f) || !(height > 0.0f) || !std::isfinite(width) ||
            !std::isfinite(height) || std::fabs(r[0]) > 1e7 || std::fabs(r[1]) > 1e7 ||
            std::fabs(r[2]) > 1e7 || std::fabs(r[3]) > 1e7)
            cliFail(QStringLiteral("--region \"%1\": expected XMIN < XMAX and YMIN < YMAX within "
                                   "+-10000000")
                        .arg(*v));
        o.region = r;
    }
    if (auto v = args.value("--grid"); v && *v != QLatin1String("auto")) {
        o.grid = cliParsePair("--grid", *v);
        if (!(o.grid->first > 0.0) || !(o.grid->second > 0.0))
            cliFail(QStringLiteral("--grid \"%1\": expected two spacings greater than 0").arg(*v));
    }
    if (auto v = args.value("--draw-mode")) o.drawMode = cliParseInteger("--draw-mode", *v, 0, 3);
    if (auto v = args.value("--divisions"))
        o.divisions = cliParseInteger("--divisions", *v, 4, 200);
    if (auto v = args.value("--rotation")) o.rotation = cliParsePair("--rotation", *v);
    // The view shortens a range longer than 500 to 500; a command asked for that range.
    for (auto [name, range] : {std::pair{"--t-range", &o.tRange}, std::pair{"--s-range", &o.sRange},
                               std::pair{"--theta-range", &o.thetaRange}}) {
        if (auto v = args.value(name)) {
            *range = cliParseRange(name, *v);
            if ((*range)->second - (*range)->first > 500.0)
                cliFail(QStringLiteral("%1 \"%2\": the range may be at most 500 long")
                            .arg(QString::fromLatin1(name), *v));
        }
    }
    if (auto v = args.value("--scale")) {
        const double scale = cliParseNumber("--scale", *v);
        if (!(scale >= 0.25 && scale <= 10.0))
            cliFail(QStringLiteral("--scale \"%1\": expected 0.25 to 10").arg(*v));
        o.scale = static_cast<float>(scale);
    }
    if (auto v = args.value("--color-by-height")) {
        if (*v != QLatin1String("on") && *v != QLatin1String("off"))
            cliFail(QStringLiteral("--color-by-height \"%1\": expected on or off").arg(*v));
        o.colorByHeight = *v == QLatin1String("on");
    }
    o.fit = args.has("--fit");
    o.legend = args.has("--legend");
    o.labels = args.has("--labels");
    return o;
}

void cliApplyDefaultColors(graphGLView &view) {
    view.setBackgroundColor(graphDefaults::backgroundColor);
    view.setBackgroundColor3D(graphDefaults::backgroundColor3D);
    view.setGridColor(graphDefaults::gridColor);
    view.setAxisColor(graphDefaults::axisColor);
    view.setSelectionColor(graphDefaults::selectionColor);
}

QColor cliPaletteColor(int index) {
    return graphPaletteColor(index);
}

bool cliTableIs3D(graphEquationTable &table) {
    for (int i = 0; i < table.equationCount(); i++) {
        grEquation *equation = table.equationAtIndex(i);
        if (equation == nullptr) continue;
        const int kind = equation->kind;
        grFreeEquation(equation);
        if (kind == grKindZOfXY || kind == grKind3DParametricCurve ||
            kind == grKind3DParametricSurface || kind == grKind3DImplicit)
            return true;
    }
    return false;
}

namespace {

// The entry's text for the legend: its text form without the doubled parentheses that
// form keeps around nested nodes, "e^((- x))" reads "e^(-x)".
QString legendText(QString text) {
    for (bool changed = true; changed;) {
        changed = false;
        std::vector<int> open, match(static_cast<size_t>(text.size()), -1);
        for (int i = 0; i < text.size(); i++) {
            if (text[i] == QLatin1Char('('))
                open.push_back(i);
            else if (text[i] == QLatin1Char(')') && !open.empty())
                match[static_cast<size_t>(open.back())] = i, open.pop_back();
        }
        for (int i = 0; i + 1 < text.size() && !changed; i++) {
            const int j = match[static_cast<size_t>(i)];
            if (j > 0 && match[static_cast<size_t>(i + 1)] == j - 1) {
                text.remove(j, 1);
                text.remove(i, 1);
                changed = true;
            }
        }
    }
    return text.replace(QStringLiteral("(- "), QStringLiteral("(-"));
}

}  // namespace

void cliGraphTable(graphGLView &view, graphMemoryInspector &inspector, graphEquationTable &table,
                   const cliGraphOptions &o) {
    // 1. What graphing hands every renderer: k, draw mode (shaded surfaces unless told),
    //    subdivision, parametric ranges.
    view.setInspector(&inspector);
    view.setEquationTable(&table);
    view.setK(o.k);
    view.setDrawMode(o.drawMode.value_or(graphDefaults::drawMode));
    view.setColorByHeight(o.colorByHeight);
    if (o.divisions) view.setDivisions3D(*o.divisions);
    if (o.tRange) {
        inspector.setFieldValue(graphField::minT, o.tRange->first);
        inspector.setFieldValue(graphField::maxT, o.tRange->second);
    }
    if (o.sRange) {
        inspector.setFieldValue(graphField::minS, o.sRange->first);
        inspector.setFieldValue(graphField::maxS, o.sRange->second);
    }
    if (o.thetaRange) {
        inspector.setFieldValue(graphField::minTheta, o.thetaRange->first);
        inspector.setFieldValue(graphField::maxTheta, o.thetaRange->second);
    }

    // 2. The graph button, after naming the first entry that cannot be graphed: the view
    //    reports the classifier's message alone.
    for (int i = 0; i < table.equationCount(); i++) {
        const geEditPtr &root = table.equations()[static_cast<size_t>(i)]->equation();
        const cliClassification c = cliClassify(root);
        if (!c.graphable)
            cliFail(QStringLiteral("entry %1 (%2): %3")
                        .arg(i + 1)
                        .arg(root ? root->string() : QString(), c.text));
    }
    const QString message = view.graphMultipleEquations();
    if (!message.isEmpty()) throw cliError(cliBadInput, message, true);

    // 3. The region and grid: given spacings, or 1-2-5 spacings of five to ten lines in 2D;
    //    3D keeps the view's counts.
    std::optional<std::array<double, 4>> region = o.region;
    const graphRect current = view.getGraphBounds();
    if (o.fit && !view.isThreeD())
        region =
            graphFittedRegion2D(view, table,
                                o.region.value_or(std::array<double, 4>{
                                    current.x, static_cast<double>(current.x) + current.width,
                                    current.y, static_cast<double>(current.y) + current.height}));
    const double width = region ? (*region)[1] - (*region)[0] : current.width;
    const double height = region ? (*region)[3] - (*region)[2] : current.height;
    std::optional<std::pair<double, double>> grid = o.grid;
    if (!grid && !view.isThreeD())
        grid = std::pair(graphNiceSpacing(width), graphNiceSpacing(height));
    if (region || grid) {
        const std::array<double, 4> r = region.value_or(
            std::array<double, 4>{current.x, static_cast<double>(current.x) + current.width,
                                  current.y, static_cast<double>(current.y) + current.height});
        const graphGLView::regionAnswer answer = view.regionFor(
            r[0], r[1], r[2], r[3], grid ? grid->first : width / view.getGridXCount(),
            grid ? grid->second : height / view.getGridYCount());
        // The window resets a spacing that gives more than 21 lines and says so; a command
        // asked for that spacing explicitly, so it is refused instead.
        if (answer.gridRefused)
            cliFail(QStringLiteral(
                "--grid: the spacing is too small for the region (at most 21 lines per axis)"));
        view.setRegion(answer);
    }

    // 4. The camera of a 3D scene.
    if (o.rotation) view.setRotationDegrees(o.rotation->first, o.rotation->second);
    if (o.fit && view.isThreeD()) graphFitCamera(view, table);

    // 5. The legend names every entry in its colour.
    if (o.legend) {
        std::vector<graphLegendEntry> entries;
        for (int i = 0; i < table.equationCount(); i++) {
            const QColor c = table.colorAtIndex(i);
            entries.push_back(
                {legendText(table.equations()[static_cast<size_t>(i)]->equation()->string())
                     .toStdString(),
                 {static_cast<float>(c.redF()), static_cast<float>(c.greenF()),
                  static_cast<float>(c.blueF())}});
        }
        view.setLegend(std::move(entries));
    }
}

void cliCheckWritable(const QString &path) {
    const QFileInfo info(slWriteTarget(path));
    if (info.isDir()) cliFail(QStringLiteral("%1: cannot write, it is a directory").arg(path));
    const QFileInfo folder(info.absolutePath());
    if (!folder.isDir())
        cliFail(QStringLiteral("%1: cannot write, no folder %2").arg(path, folder.filePath()));
    if (!folder.isWritable())
        cliFail(QStringLiteral("%1: cannot write, the folder is not writable").arg(path));
}

namespace {

QString demangled(const char *name) {
    int status = 0;
    std::unique_ptr<char, decltype(&std::free)> readable(
        abi::__cxa_demangle(name, nullptr, nullptr, &status), &std::free);
    return QString::fromUtf8(status == 0 && readable ? readable.get() : name);
}

const char *glModeName(int primitive) {
    switch (static_cast<graphPrimitive>(primitive)) {
        case graphPrimitive::points: return "GL_POINTS";
        case graphPrimitive::lines: return "GL_LINES";
        case graphPrimitive::lineStrip: return "GL_LINE_STRIP";
        case graphPrimitive::triangles: return "GL_TRIANGLES";
        case graphPrimitive::triangleStrip: return "GL_TRIANGLE_STRIP";
    }
    return "GL_UNKNOWN";
}

QString vertexText(const graphDrawOp &op) {
    char text[96];
    if (op.call == graphDrawCall::vertex3)
        std::snprintf(text, sizeof text, "%.9g %.9g %.9g", op.args[0], op.args[1], op.args[2]);
    else
        std::snprintf(text, sizeof text, "%.9g %.9g", op.args[0], op.args[1]);
    return QString::fromLatin1(text);
}

// The begin/end blocks of a display list, with the first and last vertex of each.
void appendPrimitives(std::vector<QString> &lines, const std::vector<graphDrawOp> &ops) {
    int mode = -1, count = 0;
    const graphDrawOp *first = nullptr, *last = nullptr;
    auto finish = [&] {
        QString line =
            QStringLiteral("primitive %1 %2").arg(QString::fromLatin1(glModeName(mode))).arg(count);
        if (first)
            line += QStringLiteral(" first ") + vertexText(*first) + QStringLiteral(" last ") +
                    vertexText(*last);
        lines.push_back(line);
        mode = -1;
    };
    for (const graphDrawOp &op : ops) {
        if (op.call == graphDrawCall::begin) {
            if (mode >= 0) finish();
            mode = op.code, count = 0, first = last = nullptr;
        } else if (op.call == graphDrawCall::end && mode >= 0) {
            finish();
        } else if ((op.call == graphDrawCall::vertex2 || op.call == graphDrawCall::vertex3) &&
                   mode >= 0) {
            count++;
            if (!first) first = &op;
            last = &op;
        }
    }
    if (mode >= 0) finish();
}

// Every vertex of every block, "x y" or "x y z" with the shortest text that reads back to
// the same float, a blank line after each block.
void appendPoints(std::vector<QString> &lines, const std::vector<graphDrawOp> &ops) {
    auto number = [](double v) { return QString::number(static_cast<float>(v), 'g', 9); };
    for (const graphDrawStrip &strip : graphRecordingDraw::strips(ops)) {
        if (strip.vertices.empty()) continue;
        const bool space = std::any_of(strip.vertices.begin(), strip.vertices.end(),
                                       [](const std::array<float, 3> &v) { return v[2] != 0.0f; });
        for (const std::array<float, 3> &v : strip.vertices)
            lines.push_back(number(v[0]) + u' ' + number(v[1]) +
                            (space ? u' ' + number(v[2]) : QString()));
        lines.push_back(QString());
    }
}

}  // namespace

cliHeadlessGraph::cliHeadlessGraph(graphEquationTable &table, const cliGraphOptions &options) {
    if (!context.create(options.width, options.height))
        cliFail(
            QStringLiteral("no headless OpenGL: %1").arg(QString::fromStdString(context.error())));
    draw.setScale(options.scale);
    graphView = cliGraphView(draw, inspector, table, options);
}

std::unique_ptr<graphGLView> cliGraphView(graphDraw &draw, graphMemoryInspector &inspector,
                                          graphEquationTable &table,
                                          const cliGraphOptions &options) {
    auto view = std::make_unique<graphGLView>(draw, static_cast<float>(options.width),
                                              static_cast<float>(options.height));
    view->initGL();
    cliApplyDefaultColors(*view);
    cliGraphTable(*view, inspector, table, options);
    return view;
}

std::vector<QString> cliGeometryLines(graphEquationTable &table, const cliGraphOptions &options,
                                      bool points) {
    graphRecordingDraw draw;
    graphMemoryInspector inspector;
    auto view = cliGraphView(draw, inspector, table, options);
    std::vector<QString> lines;
    for (size_t i = 0; i < view->rendererCount(); i++) {
        graphRender &render = view->rendererAt(i);
        if (points) {
            appendPoints(lines, draw.list(render.getCompileList()));
            continue;
        }
        lines.push_back(
            QStringLiteral("renderer %1 %2").arg(i).arg(demangled(typeid(render).name())));
        if (render.getUnderList() != 0) {
            lines.push_back(QStringLiteral("fill %1").arg(i));
            appendPrimitives(lines, draw.list(render.getUnderList()));
        }
        appendPrimitives(lines, draw.list(render.getCompileList()));
    }
    if (options.labels) {
        draw.clearOps();
        view->drawRect();
        for (const graphDrawText &text : graphRecordingDraw::texts(draw.ops())) {
            char position[64];
            std::snprintf(position, sizeof position, "%.6g %.6g", text.x, text.y);
            lines.push_back(
                QStringLiteral("label %1 %2")
                    .arg(QString::fromLatin1(position), QString::fromStdString(text.text)));
        }
    }
    return lines;
}
