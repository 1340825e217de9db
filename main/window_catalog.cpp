// The name-to-factory map behind the main window's menus.
#include "main/window_catalog.h"

#include <map>

namespace app {
namespace {
std::map<QString, WindowFactory>& catalog()
{
    static std::map<QString, WindowFactory> windows;
    return windows;
}
}

void registerWindow(const QString& name, WindowFactory make)
{
    catalog()[name] = std::move(make);
}

const WindowFactory* findWindow(const QString& name)
{
    const auto it = catalog().find(name);
    return it == catalog().end() ? nullptr : &it->second;
}

void clearWindows()
{
    catalog().clear();
}

} // namespace app
