#pragma once

class TAllGraf;
class CHost;

// Asks for a start and an end vertex with the vertex-choice dialog, twice. True only when
// both were confirmed and differ; first and second are vertex numbers.
bool SelectPathEnds(const TAllGraf& graf, CHost& host, int& first, int& second);
