// The input modes, created in their fixed order.
#pragma once

#include <memory>
#include <vector>

#include "modes/pavra_mode_base.h"

using ModeList = std::vector<std::unique_ptr<CpavraModeBase>>;

// Creates the modes; a mode that cannot be created is left out and the others still come up.
// Each is numbered with the count of modes created before it.
ModeList CreateModes();
