// CStringArray and its sibling arrays live in base/CArrays.h; this name is kept for callers.
#pragma once

#include "base/CArrays.h"
