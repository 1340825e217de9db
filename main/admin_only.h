// The guard of the windows that only the administrator may open, for when one
// is opened by name rather than through its menu entry.
#pragma once

#include "main/menu_table.h"

class QDialog;

namespace app {

class Parent;

// When the signed-in user is not the administrator: shows the refusal of the
// menu entry (`menu`, `index`) under "Not Allowed", closes `window` as soon as
// it runs, and returns true; the window must then load and write nothing.
// Returns false for the administrator.
bool refusedToOperator(QDialog* window, const Parent& main, Menu menu, int index);

} // namespace app
