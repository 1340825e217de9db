// Starting another program without waiting for it, opening a web address, and
// opening a file with the desktop's default program. All go through hooks that
// tests replace.
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

// Opens the file at `path` with the desktop's default program for its kind,
// without waiting. Returns false when no program could be started for it.
bool openDocument(const QString& path);

using StartHook = std::function<bool(const QString& program, const QStringList& arguments)>;
using UrlHook = std::function<void(const QUrl&)>;
using DocumentHook = std::function<bool(const QString& path)>;
// Test seams; each returns the hook it replaces.
StartHook setStartHook(StartHook hook);
UrlHook setUrlHook(UrlHook hook);
DocumentHook setDocumentHook(DocumentHook hook);

} // namespace shell
