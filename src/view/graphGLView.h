// The graph view's core: the visible region, grid, colours, 3D camera and k, the renderers
// of the graphed equations, the drawing pass and the image read-back. It knows no widget:
// the window wraps it in an OpenGL widget, the command line tool and the tests drive it
// with a headless context or the recording drawing interface.
//
// Invariants: graphBounds is the visible region in graph units (x from graphBounds.x to
// graphBounds.x + width, likewise y); every renderer has been given the current region and
// k before it is drawn; the renderers exist only between one graphing request and the
// next. Every drawing call goes through the graphDraw handed to the constructor, whose
// context must be current whenever renderers are made, compiled, drawn or destroyed.
//
// Threads: every field belongs to the GUI thread (the command line's only thread). The
// timers that touch the view, the spin timer (rotate) and the held button's tracking timer
// (mouseDown's periodic steps), fire on that thread too, so no field needs a lock. With a
// compile runner set, graphMultipleEquations does not graph on this thread: it hands a
// graphCompileJob (copies of the settings and the classified equations, a mirror view of
// its own) to the runner, which graphs the mirror on a worker thread and brings it back to
// adoptGraph on this thread. Until then the view keeps its renderers and draws them as
// before; the worker never sees this view.
#pragma once

#include "render/graphDraw.h"
#include "render/graphRect.h"
#include "render/graphRender.h"
#include "view/graphDefaults.h"
#include "view/graphImage.h"
#include "view/graphViewInterfaces.h"

#include <QMatrix4x4>
#include <QString>
#include <QVector3D>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// Red, green and blue in 0..1.
struct graphRGB {
    float red = 0.0f, green = 0.0f, blue = 0.0f;
};

// One line of the legend box: a colour swatch and the entry's text.
struct graphLegendEntry {
    std::string text;
    graphRGB color;
};

class graphGLView;

// An item of a contextual menu; a separator has no title and no action.
struct graphMenuItem {
    QString title;
    void (graphGLView::*action)() = nullptr;
};

class graphGLView {
public:
    // The idle spin's timer interval, seconds; the owner of the view runs the timer.
    static constexpr double spinInterval = 0.05;
    // The first 3D view: turned 45 degrees about z, and tilted so that the x-y plane of
    // the square first region is seen from 30 degrees above with z pointing up the screen
    // (the camera's own elevation is atan(1.25), 51.34 degrees).
    static constexpr double firstRotationX = -21.34, firstRotationY = -45.0;

    // initWithFrame: a view of the given pixel size with the default region.
    graphGLView(graphDraw &draw, float width, float height);
    ~graphGLView();
    graphGLView(const graphGLView &) = delete;
    graphGLView &operator=(const graphGLView &) = delete;

    // Connections; null restores the built-in stand-in.
    void setInspector(graphInspector *inspector);
    graphInspector &getInspector() const { return *inspector; }
    void setStatus(graphStatus *status);
    void setSurface(graphSurface *surface);
    void setEquationTable(graphEquationSource *table) { equationTable = table; }
    // The renderer class for each equation kind; graphNewRenderForKind unless replaced.
    using renderFactory =
        std::function<std::unique_ptr<graphRender>(uint8_t kind, graphDraw &draw)>;
    void setRenderFactory(renderFactory factory);

    // Defaults of a fresh view: region, flags, k, menus, subdivision, spin.
    void initGraphView();

    // Colours and settings. Colour setters recompile but do not redisplay.
    void setBackgroundColor(const QColor &color);
    void setBackgroundColor3D(const QColor &color);
    void setAxisColor(const QColor &color);
    void setGridColor(const QColor &color);
    void setSelectionColor(const QColor &color);
    void setDivisions3D(int divisions);
    void setDivisions3DAction(const QString &selectedTitle);
    void setDrawMode(int mode) { drawMode = mode; }
    void set3DDrawMode(int mode);
    void setK(double k);
    void setConstrainProportions(bool on) { constrainProportions = on; }
    void setResetGraph(bool on) { resetGraph = on; }
    // Surfaces coloured by height through the colour map instead of their own colours;
    // recompiles but does not redisplay.
    void setColorByHeight(bool on);
    // The z range of the 3D scale and the colour map as of the last compile: the drawn
    // surfaces' lowest and highest points, or the region's x extent without surfaces.
    float sceneLowZ() const { return sceneZ[0]; }
    float sceneHighZ() const { return sceneZ[1]; }
    // The 3D scene's vertical stretch: a scene taller than the region is wide is drawn
    // squeezed to a cube (z times width / height) so that its shape shows; the scale's
    // labels keep the true heights. 1 for other scenes.
    float sceneZScale() const { return zScale; }

    // Region operations.
    void resetDefaultValues();
    void scrollToOrigin();
    void scrollX(double dx, double dy);
    void zoomIn();
    void zoomOut();
    // The wheel: factor > 1 zooms in. In 2D the region scales about the graph point under
    // viewPoint, which stays under it (within the zoom limits and the scroll square); in
    // 3D the camera moves closer by the factor.
    void zoomAboutPoint(graphPoint viewPoint, double factor);
    double scaleForZoomIn() const;
    double scaleForZoomOut() const;
    void setCenter();
    void updateBoundsText();
    // The region and grid the inspector's fields ask for (regionFor), taken by setRegion.
    void updateBoundsFromBoundsText();
    // The grid the spacing fields ask for over the current region.
    void updateGridIntervals();

    // What a region and grid request comes to, without changing the view: bounds the wrong
    // way round give a unit extent; bounds that are no finite number, or equal in float,
    // keep the current region; a spacing that gives more than 21 lines per axis, or none
    // or no number of them, is refused (gridRefused) and that count falls back to 20.
    struct regionAnswer {
        graphRect bounds;
        float gridXCount, gridYCount;
        bool gridRefused;
    };
    regionAnswer regionFor(double minX, double maxX, double minY, double maxY, double spacingX,
                           double spacingY) const;
    // Takes the answer's region and grid, shows them in the inspector's fields and redraws;
    // a refused grid shows the grid alert.
    void setRegion(const regionAnswer &answer);
    void updateParametricRange();
    void setFrame(float width, float height);
    // Places the region directly, without recompiling (tools and tests).
    void setGraphBounds(graphRect bounds) { graphBounds = bounds; }

    // Graphing and drawing. graphMultipleEquations answers the classifier's message, or
    // an empty string once the graph is made (without a compile runner) or handed to the
    // runner.
    QString graphMultipleEquations();
    void compileEquations();
    // Where graphing requests run; null (the default) graphs on the calling thread.
    void setCompileRunner(graphCompileRunner *newRunner) { runner = newRunner; }
    // Gives mirror this view's region, camera, k, colours and settings, for a job.
    void copySettingsTo(graphGLView &mirror) const;
    // Takes over what a completed job made: its renderers (their lists handed over to this
    // view's drawing interface), region, camera and the inspector fields it changed. What
    // changed here meanwhile (k, the region by zooming, colours, settings) is applied on
    // top, synchronously.
    void adoptGraph(graphCompileJob &job);
    // Counts compiles and k changes, so a job knows whether the view moved on meanwhile.
    unsigned compileRevision() const { return revision; }
    void initGL();
    void drawRect();
    void renderMultipleEquations();
    void draw2DGrid();
    // A box in the upper right corner with each entry's colour and text, drawn by drawRect
    // over the scene; none while the list is empty.
    void setLegend(std::vector<graphLegendEntry> entries) { legend = std::move(entries); }
    void drawLegend();
    void rotate();
    void redraw() { surface->setNeedsDisplay(); }
    const std::vector<graphMenuItem> &menuForEvent() const {
        return is3D ? contextualMenu3D : contextualMenu2D;
    }

    // The mouse. Positions are in view pixels, origin at the lower left, y upwards. A press
    // starts a trace, a pan or a 3D drag that lasts until mouseUp; while the button is held
    // the owner delivers drags and, in 2D, a periodic tick every mouseTickInterval seconds.
    // The press itself delivers the first tick.
    static constexpr double mouseTickInterval = 0.02;
    enum class tracking : uint8_t { none, trace, pan, rotate3D };
    void mouseMoved(graphPoint p);
    void mouseDown(graphPoint p);
    void mouseDragged(graphPoint p);
    void mouseTick();
    void mouseUp(graphPoint p);
    tracking currentTracking() const { return mouseMode; }
    // The graph position of a view position.
    graphPoint graphPointForViewPoint(graphPoint p) const;

    // Image output. The RGBA frame stays valid until the next RGBAPixels call; null for
    // an empty view. makeImageRep answers null for an empty view. snapshotToFile answers
    // 0 when the TIFF was written, -1 otherwise.
    const uint8_t *RGBAPixels();
    std::unique_ptr<graphImageRep> makeImageRep();
    int snapshotToFile(const std::string &path);

    // State.
    graphRect getGraphBounds() const { return graphBounds; }
    float viewWidth() const { return frameWidth; }
    float viewHeight() const { return frameHeight; }
    bool isGraphed() const { return wasGraphed; }
    bool isThreeD() const { return is3D; }
    float getGridXCount() const { return gridXCount; }
    float getGridYCount() const { return gridYCount; }
    void setGridCounts(float x, float y) { gridXCount = x, gridYCount = y; }
    double getK() const { return kValue; }
    int getDivisions3D() const { return divisions3D; }
    int getDrawMode() const { return drawMode; }
    bool getConstrainProportions() const { return constrainProportions; }
    bool getResetGraph() const { return resetGraph; }
    double rotationDegreesX() const { return rotationX; }
    double rotationDegreesY() const { return rotationY; }
    void setRotationDegrees(double x, double y) { rotationX = x, rotationY = y; }
    // The point the 3D camera looks at, without moving the region as setCenter does.
    void setFocus(float x, float y, float z) { focusX = x, focusY = y, focusZ = z; }
    // The 3D camera's distance from the focus as a multiple of cameraDistanceUnit, the
    // distance the region's size gives (1 by default).
    void setCameraDistance(double factor) { cameraDistance = factor; }
    double cameraDistanceUnit() const;
    // The list index of the equation being traced, -1 when no trace runs.
    int tracedSource() const;
    double getIdleRotationX() const { return idleRotationX; }
    double getIdleRotationY() const { return idleRotationY; }
    void setIdleRotation(double x, double y) { idleRotationX = x, idleRotationY = y; }
    bool isPointSelected() const { return pointSelected; }
    graphPoint getSelectionPoint() const { return selectionPoint; }
    void setSelection(bool selected, graphPoint point) {
        pointSelected = selected, selectionPoint = point;
    }
    graphRGB getBackgroundColor() const { return backgroundColor; }
    graphRGB getAxisColor() const { return axisColor; }
    graphRGB getGridColor() const { return gridColor; }
    size_t rendererCount() const { return equationArray.size(); }
    graphRender &rendererAt(size_t index) { return *equationArray[index].render; }

private:
    // A renderer with the index of the list entry it was made from, for its colour.
    struct entry {
        std::unique_ptr<graphRender> render;
        int source;
    };

    // A label's box in view pixels: its raster position (baseline) and its size.
    struct labelBox {
        float x, y, width, height;
    };
    // Takes the box into drawn unless it leaves the view or overlaps one already there.
    bool placeLabel(const labelBox &box, std::vector<labelBox> &drawn) const;

    void recompile() { compileEquations(); }
    // graphMultipleEquations through the runner.
    QString graphInBackground();
    void setColor(graphRGB &field, const QColor &color);
    void zoomBy(double factor);
    void draw2DScene(int width, int height);
    void draw3DScene(int width, int height);
    // The box outline in graph space, drawn inside the scene's matrices.
    void draw3DBox();
    // Axis names, tick marks and tick labels on three edges of the box, in view pixels
    // over the finished scene; labels that would overlap or leave the view are left out.
    void draw3DScale(int width, int height);
    // The colour bar under the legend's entries while surfaces are coloured by height.
    void drawColorBar(float left, float right, float top);
    // Nearness of a graph position to renderer i's curve, in visible heights.
    double nearness(size_t index, graphPoint g);
    void traceStep();
    void panStep();
    void finishTracking();

    // The 3D scene's projection and camera as the drawing pass sets them up.
    struct scene3DCamera {
        double fieldOfViewY = 40.0, aspect = 1.0;
        QMatrix4x4 transform;  // graph space to clip space
        int width = 0, height = 0;
        // Where an axis name meant for end shows inside the view: end itself, or the
        // farthest point towards it along the axis from the origin. False when the
        // axis's origin is outside the view too.
        bool placeLabel(QVector3D end, QVector3D *at) const;
        // The view pixel (x, y, origin lower left) of a graph point and its distance in
        // front of the camera as z; false behind the camera.
        bool project(QVector3D point, QVector3D *pixel) const;
    };
    scene3DCamera sceneCamera(int width, int height) const;

    graphDraw &draw;
    graphMemoryInspector ownInspector;
    graphInspector *inspector = &ownInspector;
    graphStatus *status;
    graphSurface *surface;
    graphEquationSource *equationTable = nullptr;
    renderFactory makeRender;
    graphCompileRunner *runner = nullptr;
    // The drawing interface of renderers made by a job (null when they were made here);
    // it must outlive them, so it comes before the array.
    std::shared_ptr<graphDraw> jobDraw;
    std::vector<entry> equationArray;  // one renderer per graphable equation, in list order
    unsigned revision = 0;

    float frameWidth = 0.0f, frameHeight = 0.0f;
    graphRect graphBounds{-50.0f, -50.0f, 100.0f, 100.0f};
    bool is3D = false, pointSelected = false, wasGraphed = false;
    bool constrainProportions = false, resetGraph = true, displayCoords = false;
    graphPoint selectionPoint;
    float focusX = 0.0f, focusY = 0.0f, focusZ = 0.0f;
    float gridXCount = 5.0f, gridYCount = 5.0f;
    double kValue = 1.0;
    graphRGB backgroundColor, backgroundColor3D, axisColor, gridColor, selectionColor;
    std::vector<graphMenuItem> contextualMenu2D, contextualMenu3D;
    double rotationX = 0.0, rotationY = 0.0;
    int divisions3D = graphDefaults::divisions;
    // The spin: rotate() adds these each tick of the window's spin timer, unless a 3D drag
    // (mouseMode rotate3D) is turning the scene.
    double idleRotationX = 0.0, idleRotationY = 0.0;
    int drawMode = 0;
    std::vector<graphLegendEntry> legend;
    double cameraDistance = 1.0;
    bool colorByHeight = false;
    bool sceneHasSurface = false;
    float sceneZ[2] = {-10.0f, 10.0f};
    float zScale = 1.0f;

    // The tracking loop of the button being held.
    tracking mouseMode = tracking::none;
    graphRender *traced = nullptr;
    graphPoint pointer, previousPointer, previousTracePoint;
    double lastDragX = 0.0, lastDragY = 0.0;

    // The RGBA frame of the last RGBAPixels call.
    std::unique_ptr<uint8_t[]> rgbaFrame;
};
