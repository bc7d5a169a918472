#pragma once

#include "items.h"
#include "kinds.h"

namespace carvelle {

// Where an object sits on its page, whichever way its kind stores it.
Bounds ObjectBounds(const KindProperties& properties);
void SetObjectBounds(KindProperties& properties, const Bounds& bounds);

} // namespace carvelle
