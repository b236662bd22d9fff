#pragma once

#include "platform/ui/DialogTemplate.h"

// Every dialog layout of the program lives here as a code table in dialog units, one per
// dialog id, rather than as Designer .ui files: the positions are dialog-unit data, and one
// form for all dialogs keeps them comparable. Controls are listed in tab order.

// The dialog resource with this id (see res/ResourceIds.h); throws std::out_of_range for an
// id that has none.
const DialogTemplate& GetDialogTemplate(int id);
