// Detached starts through QProcess, addresses and documents through QDesktopServices.
#include "platform/shell/launcher.h"

#include <utility>

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace shell {
namespace {
StartHook g_start;
UrlHook g_url;
DocumentHook g_document;
}

bool startDetached(const QString& program, const QStringList& arguments)
{
    if (g_start)
        return g_start(program, arguments);
    const QFileInfo info(program);
    if (!info.exists() || !info.isExecutable())
        return false;
    return QProcess::startDetached(program, arguments, QDir::currentPath());
}

QString besideThisProgram(const QString& name)
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(name);
}

void openUrl(const QUrl& url)
{
    if (g_url) {
        g_url(url);
        return;
    }
    // A desktop without a browser simply does nothing; there is nothing to report.
    QDesktopServices::openUrl(url);
}

bool openDocument(const QString& path)
{
    if (g_document)
        return g_document(path);
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

StartHook setStartHook(StartHook hook) { return std::exchange(g_start, std::move(hook)); }
UrlHook setUrlHook(UrlHook hook) { return std::exchange(g_url, std::move(hook)); }
DocumentHook setDocumentHook(DocumentHook hook) { return std::exchange(g_document, std::move(hook)); }

} // namespace shell
