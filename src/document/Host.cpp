#include "document/Host.h"
