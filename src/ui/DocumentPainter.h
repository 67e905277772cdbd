#pragma once

class QImage;
class TAllGraf;

// The whole document onto a surface: background, arcs, vertices, labels.
void PaintDocument(TAllGraf& graf, QImage& surface);

// A surface of w x h logical pixels at the screen's pixel ratio, so the picture stays sharp.
QImage MakeSurface(int w, int h, double devicePixelRatio);
