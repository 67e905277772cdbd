#pragma once
// A document header reaching up into the commands layer: the check must refuse it.
#include "commands/GraphSession.h"
