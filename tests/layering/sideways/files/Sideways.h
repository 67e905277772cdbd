#pragma once
// Files and drawing share a level and may not include each other: the check must refuse it.
#include "drawing/Canvas.h"
