// The parameter k as the main window holds it: a single-precision slider value with a
// "%.3f" text, set by hand (updateK) or animated back and forth between the bounds by a
// 50 ms timer (changeK). Widget-free: the window mirrors slider and text, and onK hands
// every new k to the graph view.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>

#include "view/graphDefaults.h"

class graphKAnimation : public QObject {
    Q_OBJECT
public:
    static constexpr int interval = 50;  // ms

    explicit graphKAnimation(QObject *parent = nullptr);

    // The slider's range and the step of one tick. The slider value is kept within range.
    void setRange(double minK, double maxK, double stepSize);
    double minK() const { return minK_; }
    double maxK() const { return maxK_; }
    double stepSize() const { return stepSize_; }

    // The value as the slider holds it, and its text.
    float sliderValue() const { return slider_; }
    QString kText() const { return QString::asprintf("%.3f", double(value_)); }
    float k() const { return value_; }

    // Sets k from the slider or the text box: the view gets the value in single precision,
    // the slider and the text follow.
    void updateK(float value);
    // One timer tick: k moves one step in the current direction from the slider's value,
    // clamped at a bound, where the direction turns.
    void changeK();

    // Starts or stops the timer; the menu title says what choosing it again does.
    void animateK();
    bool isAnimating() const { return timer_.isActive(); }
    QString menuTitle() const;
    QTimer &timer() { return timer_; }

    // The direction is one flag for the whole process: a new animation continues the way
    // the last one went.
    static bool rising();
    static void setRising(bool rising);

    // Called with every k set (the graph view's setK and recompile).
    std::function<void(float k)> onK;
    // Called when slider value, text or menu title change, for the window to show them.
    std::function<void()> changed;

private:
    void notify();

    QTimer timer_;
    double minK_ = graphDefaults::minimumK, maxK_ = graphDefaults::maximumK, stepSize_ = 1.0;
    float slider_ = 0.0f, value_ = 0.0f;
};
