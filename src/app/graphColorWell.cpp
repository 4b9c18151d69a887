#include "app/graphColorWell.h"

#include <QColorDialog>
#include <QPainter>
#include <QPixmap>

std::function<QColor(const QColor &, QWidget *)> graphColorWell::chooser =
    [](const QColor &current, QWidget *parent) { return QColorDialog::getColor(current, parent); };

graphColorWell::graphColorWell(QWidget *parent) : QPushButton(parent) {
    setIconSize(QSize(48, 16));
    setColor(Qt::black);
    connect(this, &QPushButton::clicked, this, [this] {
        const QColor chosen = chooser ? chooser(color_, window()) : QColor();
        if (chosen.isValid() && chosen != color_) {
            setColor(chosen);
            emit colorChanged(chosen);
        }
    });
}

void graphColorWell::setColor(const QColor &color) {
    color_ = color;
    QPixmap swatch(iconSize());
    swatch.fill(color);
    QPainter painter(&swatch);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(swatch.rect().adjusted(0, 0, -1, -1));
    painter.end();
    setIcon(QIcon(swatch));
    setAccessibleDescription(color.name());
}
