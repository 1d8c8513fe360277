#pragma once

#include <QCursor>
#include <QPixmap>
#include <QString>

// Our pictures: drawn from the SVG files compiled into the program, sharp at any screen scale.

// An SVG image at a size in device-independent pixels.
QPixmap SvgPixmap(const QString &resource, const QSize &size, qreal devicePixelRatio);

// A picture button: an icon and its word side by side, at rest or lit under the pointer.
QPixmap ButtonPicture(const QString &iconResource, const QString &word, bool lit,
                      qreal devicePixelRatio);

// The pointing hand shown over picture buttons.
QCursor PicturePointer();
