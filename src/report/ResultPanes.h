#pragma once

#include "report/HTMLReport.h"
#include "report/TextPane.h"

// Where algorithm results are written: the Text pane and the HTML report beside it. One pair
// a session; the window shows them, nodeloom-cli prints and saves them.
struct ResultPanes {
    TextPane Text;
    HTMLReportManager Report;
};
