// Graphing for the command line: the options of render and geometry, a graph view set up
// as the window sets it up, and the two outputs (an image, a dump of the renderers'
// display lists).
#pragma once

#include <QString>

#include <array>
#include <memory>
#include <optional>
#include <thread>
#include <utility>

#include "app/graphEquationTable.h"
#include "cli/cliSupport.h"
#include "platform/headlessGLContext.h"
#include "render/graphGLDraw.h"
#include "view/graphGLView.h"

// Loads and initialises the OpenGL driver on another thread while the caller starts Qt and
// reads its equations: with Mesa's software driver the load alone takes about 100 ms.
// wait() (or the destructor) joins the thread; the headless context made afterwards finds
// the display initialised.
class cliDriverPreload {
public:
    cliDriverPreload();
    void wait();

private:
    std::jthread thread;
};

struct cliGraphOptions {
    int width = 800, height = 600;
    double k = 1.0;
    std::optional<std::array<double, 4>> region;    // xmin, xmax, ymin, ymax
    std::optional<std::pair<double, double>> grid;  // spacing in x and y; none for "auto"
    bool fit = false;           // 2D: y range from the curves; 3D: focus and distance
    bool legend = false;        // a box with each entry's colour and text
    bool colorByHeight = true;  // 3D surfaces coloured by height
    bool labels = false;        // geometry: the view's texts too
    float scale = 1.0f;         // line widths, point sizes and labels
    std::optional<int> drawMode;
    std::optional<int> divisions;
    std::optional<std::pair<double, double>> rotation;  // degrees about x and y
    std::optional<std::pair<double, double>> tRange, sRange, thetaRange;
};

// The option names render, geometry and movie take, each with one value, and their flags
// ("--keys", "--fit", "--legend").
const std::vector<std::string> &cliGraphOptionNames();
const std::vector<std::string> &cliGraphFlagNames();
// Fails with status 1 for a value that does not parse or is out of range.
cliGraphOptions cliParseGraphOptions(const cliArguments &args);

// The colours the window starts with when the user has chosen none.
void cliApplyDefaultColors(graphGLView &view);

// Distinct colours for entries that have none, by their index.
QColor cliPaletteColor(int index);

// Whether the table holds a 3D equation, which only OpenGL draws.
bool cliTableIs3D(graphEquationTable &table);

// Graphs every entry of table in view as the window's graph button does, then applies the
// region (fitted when asked), the grid (1-2-5 spacings unless given), the rotation and the
// command line's shaded surfaces. Fails with status 1 and the classifier's message when an
// entry cannot be graphed, or when the grid spacing is too small for the region.
void cliGraphTable(graphGLView &view, graphMemoryInspector &inspector, graphEquationTable &table,
                   const cliGraphOptions &options);

// A view of the options' size drawing through draw, set up with the default colours and
// table graphed by cliGraphTable. draw must outlive the view.
std::unique_ptr<graphGLView> cliGraphView(graphDraw &draw, graphMemoryInspector &inspector,
                                          graphEquationTable &table,
                                          const cliGraphOptions &options);

// A graph view drawing into a headless OpenGL context of the options' size, with table
// graphed as cliGraphTable does. Fails with status 1 when there is no headless OpenGL or
// the table cannot be graphed.
class cliHeadlessGraph {
public:
    // The options' scale applies to lines, points and the bitmap label fonts.
    cliHeadlessGraph(graphEquationTable &table, const cliGraphOptions &options);
    graphGLView &view() { return *graphView; }

private:
    // The view goes before the context and the drawing interface, which its renderers use.
    headlessGLContext context;
    graphGLDraw draw;
    graphMemoryInspector inspector;
    std::unique_ptr<graphGLView> graphView;
};

// A quick check before any drawing, so a mistyped folder fails at once: status 1 when path
// is a folder or its folder does not exist or is not writable.
void cliCheckWritable(const QString &path);

// Draws table headless and writes the image (by the extension of path): PNG, SVG or PDF
// through QPainter for 2D graphs, OpenGL for 3D graphs (embedded as an image in SVG and
// PDF) and TIFF snapshots. Replaces path only once the image is complete.
void cliRenderImage(graphEquationTable &table, const cliGraphOptions &options, const QString &path);
// Whether that drawing starts OpenGL (3D graphs and TIFF snapshots); fails for an
// unknown image type.
bool cliRenderNeedsOpenGL(graphEquationTable &table, const QString &path);

// One line per renderer ("renderer <index> <class>") followed by one line per primitive
// of its display list ("primitive GL_LINE_STRIP 1201 first x y last x y").
// A shaded region's fill list comes first ("fill <index>"). With points, every vertex of
// every block of the display lists instead, one "x y" (or "x y z") line each, blocks
// separated by a blank line; shaded regions give their boundary. With labels, then one
// line per text the view draws ("label x y text": graph units in 2D, view pixels from the
// lower left in 3D).
std::vector<QString> cliGeometryLines(graphEquationTable &table, const cliGraphOptions &options,
                                      bool points = false);
