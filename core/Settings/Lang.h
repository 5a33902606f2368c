#pragma once
// Moved to Support/; this name stays for code written before the move.
#include "Support/Lang.h"
