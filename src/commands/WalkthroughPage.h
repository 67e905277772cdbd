#pragma once

#include <QByteArray>
#include <QString>

class TAllGraf;
struct AlgorithmResult;

// One self-contained web page that walks through the recorded steps of a run: the graph as
// inline SVG, each frame as the changes since the one before with its narration, and a small
// script with the controls and keys of the playback (first, back, play, forward, last, a
// slider, a speed). It opens offline in any current browser.
QByteArray WalkthroughPage(const TAllGraf& graf, const AlgorithmResult& result, const QString& title);
