// Moving the view so that the entity under review comes to lie where the user clicked.
#pragma once

#include "host/host_types.h"

namespace qx {

// Moves a fresh view so that the upper-left corner of curEnt's extent lies at the clicked point.
void RepositionView(const host::point& clicked);

} // namespace qx
