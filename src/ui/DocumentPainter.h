#pragma once

class QImage;

// A surface of w x h logical pixels at the screen's pixel ratio, so the picture stays sharp.
QImage MakeSurface(int w, int h, double devicePixelRatio);
