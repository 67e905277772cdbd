#pragma once

class GraphDocument;
class UserPrompts;

// Asks for a start and an end vertex with the vertex-choice dialog, twice. True only when
// both were confirmed and differ; first and second are vertex numbers.
bool SelectPathEnds(const GraphDocument& graf, UserPrompts& prompts, int& first, int& second);
