#include "app/graphKAnimation.h"

#include <algorithm>

namespace {
bool kRising = true;
}

bool graphKAnimation::rising() {
    return kRising;
}
void graphKAnimation::setRising(bool rising) {
    kRising = rising;
}

graphKAnimation::graphKAnimation(QObject *parent) : QObject(parent) {
    timer_.setInterval(interval);
    connect(&timer_, &QTimer::timeout, this, &graphKAnimation::changeK);
}

void graphKAnimation::setRange(double minK, double maxK, double stepSize) {
    minK_ = minK;
    maxK_ = std::max(minK, maxK);
    stepSize_ = stepSize;
    slider_ = static_cast<float>(std::clamp(double(slider_), minK_, maxK_));
    notify();
}

void graphKAnimation::updateK(float value) {
    value_ = value;
    slider_ = static_cast<float>(std::clamp(double(value), minK_, maxK_));
    if (onK) onK(value_);
    notify();
}

void graphKAnimation::changeK() {
    double k = slider_;
    if (kRising) {
        k += stepSize_;
        if (k >= maxK_) {
            k = maxK_;
            kRising = false;
        }
    } else {
        k -= stepSize_;
        if (k <= minK_) {
            k = minK_;
            kRising = true;
        }
    }
    updateK(static_cast<float>(k));
}

void graphKAnimation::animateK() {
    if (timer_.isActive())
        timer_.stop();
    else
        timer_.start();
    notify();
}

QString graphKAnimation::menuTitle() const {
    return timer_.isActive() ? tr("Stop Animation") : tr("Animate K");
}

void graphKAnimation::notify() {
    if (changed) changed();
}
