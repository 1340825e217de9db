// The dialogs are Qt's own; the hook stands in for them in tests.
#include "platform/forms/file_dialogs.h"

#include <utility>

#include <QDir>
#include <QFileDialog>

namespace forms {
namespace {

FileDialogHook& hook()
{
    static FileDialogHook h;
    return h;
}

// The filter's patterns with their upper-case forms beside them: names are
// matched without regard to case, as on the system the files come from
// ("*.mdb" lists "X.MDB" too).
QString anyCase(const QString& filter)
{
    QStringList patterns = filter.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString& p : filter.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (!patterns.contains(p.toUpper()))
            patterns << p.toUpper();
    }
    return patterns.join(QLatin1Char(' '));
}

} // namespace

FileDialogHook setFileDialogHook(FileDialogHook h)
{
    return std::exchange(hook(), std::move(h));
}

QString askForFile(QWidget* parent, const FileDialog& d)
{
    if (hook())
        return hook()(parent, d);
    QFileDialog dialog(parent, d.title, d.folder, anyCase(d.filter));
    const bool save = d.kind == FileDialog::Kind::Save;
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // A save may name a new file; an open needs one that is there. Replacing
    // an existing file on save asks first (the dialog's default).
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(d.defaultSuffix);
    if (!d.fileName.isEmpty())
        dialog.selectFile(QDir(d.folder).filePath(d.fileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace forms
