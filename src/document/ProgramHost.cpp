#include "document/ProgramHost.h"
