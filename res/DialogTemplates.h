#pragma once

#include "platform/ui/DialogTemplate.h"

// The dialog resource with this id (see res/ResourceIds.h); throws std::out_of_range for an
// id that has none.
const DialogTemplate& GetDialogTemplate(int id);
