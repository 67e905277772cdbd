#include "ui/DocumentPainter.h"

#include <QImage>

QImage MakeSurface(int w, int h, double devicePixelRatio)
{
    const double ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    QImage surface(qRound(w * ratio), qRound(h * ratio), QImage::Format_ARGB32_Premultiplied);
    surface.setDevicePixelRatio(ratio);
    surface.fill(Qt::white);
    return surface;
}
