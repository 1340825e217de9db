// Detached starts through QProcess, addresses through QDesktopServices.
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

StartHook setStartHook(StartHook hook) { return std::exchange(g_start, std::move(hook)); }
UrlHook setUrlHook(UrlHook hook) { return std::exchange(g_url, std::move(hook)); }

} // namespace shell
