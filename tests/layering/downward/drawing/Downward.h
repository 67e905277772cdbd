#pragma once
// Drawing may use the document and everything beneath it.
#include "base/TranslationManager.h"
#include "document/GraphDocument.h"
#include "drawing/Surface.h"
