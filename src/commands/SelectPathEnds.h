#pragma once

class GraphDocument;
class ProgramHost;

// Asks for a start and an end vertex with the vertex-choice dialog, twice. True only when
// both were confirmed and differ; first and second are vertex numbers.
bool SelectPathEnds(const GraphDocument& graf, ProgramHost& host, int& first, int& second);
