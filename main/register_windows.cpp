// Every window the menus open, registered by name. The only place that knows
// all parts of the program, so that the main window depends on none of them.
#include "main/window_catalog.h"

namespace app {

void registerWindows()
{
}

} // namespace app
