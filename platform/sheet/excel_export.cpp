// The export routine: the wait guard, the file's unique name, the write to a
// part file renamed into place only when complete, and the open.
#include "platform/sheet/excel_export.h"

#include <exception>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPointer>
#include <QStandardPaths>

#include "platform/forms/messages.h"
#include "platform/shell/environment.h"
#include "platform/shell/launcher.h"
#include "platform/sheet/xlsx_file.h"

namespace sheet {
namespace {

std::optional<QString> g_folder;

const QString kCannotExport = QStringLiteral("Cannot Export");

// The hourglass and the wait picture, from construction to destruction.
class WaitGuard {
public:
    explicit WaitGuard(QWidget* window)
        : m_pic(window ? window->findChild<QWidget*>(QStringLiteral("WaitPic")) : nullptr)
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        if (m_pic) {
            if (QWidget* host = m_pic->parentWidget())
                m_pic->move((host->width() - m_pic->width()) / 2, (host->height() - m_pic->height()) / 2);
            m_pic->show();
            m_pic->raise();
            // The export holds the event loop: paint the picture now.
            m_pic->repaint();
        }
    }
    ~WaitGuard()
    {
        if (m_pic)
            m_pic->hide();
        QApplication::restoreOverrideCursor();
    }
    WaitGuard(const WaitGuard&) = delete;
    WaitGuard& operator=(const WaitGuard&) = delete;

private:
    QPointer<QWidget> m_pic;
};

// `name` with every character a file name might not carry replaced.
QString safeFileName(const QString& name)
{
    QString out;
    for (const QChar ch : name)
        out += ch.isLetterOrNumber() || ch == u' ' || ch == u'-' || ch == u'.' || ch == u'_' ? ch : QChar(u'_');
    return out.trimmed().isEmpty() ? QStringLiteral("Export") : out.trimmed();
}

QString candidate(const QDir& folder, const QString& stem, int number)
{
    return folder.filePath(number == 1 ? stem + QStringLiteral(".xlsx")
                                       : QStringLiteral("%1 (%2).xlsx").arg(stem).arg(number));
}

// Writes the table to `part`; throws SheetError.
void writeWorkbook(const QString& part, const QString& tempFolder, const Table& table)
{
    XlsxFile file(part, tempFolder);
    writeTable(file, table);
    file.close();
}

} // namespace

QString waitText()
{
    return QStringLiteral("Please wait, while data is being exported to Excel ......");
}

QLabel* makeWaitPic(QWidget* window)
{
    auto* pic = new QLabel(waitText(), window);
    pic->setObjectName(QStringLiteral("WaitPic"));
    pic->setFrameStyle(QFrame::Box | QFrame::Plain);
    pic->setLineWidth(2);
    pic->setAlignment(Qt::AlignCenter);
    pic->setMargin(16);
    pic->setAutoFillBackground(true);
    QFont f = pic->font();
    f.setBold(true);
    pic->setFont(f);
    pic->adjustSize();
    pic->hide();
    return pic;
}

QString exportFolder()
{
    if (g_folder)
        return *g_folder;
    QString base = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    if (base.isEmpty())
        base = QDir::tempPath() + QStringLiteral("/Tamsel Standard");
    return QDir(base).filePath(QStringLiteral("Exports"));
}

void setExportFolder(std::optional<QString> folder)
{
    g_folder = std::move(folder);
}

QString ExcelExport(QWidget* window, const Table& table, const QString& name)
{
    QString written;
    QString failure;
    {
        WaitGuard wait(window);
        const QString folderPath = exportFolder();
        QDir folder(folderPath);
        if (!QDir().mkpath(folderPath) || !QFileInfo(folderPath).isDir()) {
            failure = QStringLiteral("The folder %1 cannot be made, so the spreadsheet was not written.")
                          .arg(QDir::toNativeSeparators(folderPath));
        } else {
            const QString stem = safeFileName(name) + u' '
                                 + shell::now().toString(QStringLiteral("yyyy-MM-dd hh.mm.ss"));
            int number = 1;
            while (QFileInfo::exists(candidate(folder, stem, number)))
                ++number;
            // Written under a name of its own and renamed when complete, so no
            // half-written workbook ever carries the export's name.
            const QString part = candidate(folder, stem, number) + QStringLiteral(".part");
            QFile::remove(part);
            try {
                writeWorkbook(part, folderPath, table);
                // The rename never replaces a file: one that appeared meanwhile
                // keeps its name and the export takes the next.
                for (int tries = 0; tries < 100 && written.isEmpty(); ++tries, ++number) {
                    if (QFile::rename(part, candidate(folder, stem, number)))
                        written = candidate(folder, stem, number);
                }
                if (written.isEmpty())
                    failure = QStringLiteral("The spreadsheet could not be given a name in %1.")
                                  .arg(QDir::toNativeSeparators(folderPath));
            } catch (const std::exception& e) {
                failure = QStringLiteral("The spreadsheet could not be written to %1. %2")
                              .arg(QDir::toNativeSeparators(folderPath), QString::fromStdString(e.what()));
            }
            if (written.isEmpty())
                QFile::remove(part);
        }
    }
    if (!failure.isEmpty()) {
        forms::inform(window, kCannotExport, failure);
        return {};
    }
    if (!shell::openDocument(written))
        forms::inform(window, QStringLiteral("Cannot Open"),
                      QStringLiteral("The spreadsheet was written to %1, but no program could be started to open it.")
                          .arg(QDir::toNativeSeparators(written)));
    return written;
}

} // namespace sheet
