#pragma once
// Drawing may use the document and everything beneath it.
#include "base/TranslateManager.h"
#include "document/AllGrafUnit.h"
#include "drawing/Surface.h"
