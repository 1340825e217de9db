// Starting another program without waiting for it, and opening a web address.
// Both go through hooks that tests replace.
#pragma once

#include <functional>

#include <QString>
#include <QStringList>
#include <QUrl>

namespace shell {

// Starts `program` (a path) with `arguments`, detached: never waits. Returns
// false when it could not be started (missing, not executable).
bool startDetached(const QString& program, const QStringList& arguments = {});
// The path of a program that lies beside the running one.
QString besideThisProgram(const QString& name);
// Opens `url` in the desktop's web browser, without waiting; failures are ignored.
void openUrl(const QUrl& url);

using StartHook = std::function<bool(const QString& program, const QStringList& arguments)>;
using UrlHook = std::function<void(const QUrl&)>;
// Test seams; each returns the hook it replaces.
StartHook setStartHook(StartHook hook);
UrlHook setUrlHook(UrlHook hook);

} // namespace shell
