// A colour well: a button showing its colour; clicking asks for a new one.
#pragma once

#include <QColor>
#include <QPushButton>
#include <functional>

class graphColorWell : public QPushButton {
    Q_OBJECT
public:
    explicit graphColorWell(QWidget *parent = nullptr);

    QColor color() const { return color_; }
    void setColor(const QColor &color);

    // How every well asks for a colour: QColorDialog unless replaced (tests answer
    // without a dialog). An invalid answer keeps the colour.
    static std::function<QColor(const QColor &current, QWidget *parent)> chooser;

signals:
    void colorChanged(const QColor &color);

private:
    QColor color_;
};
