// The save and open file dialogs, through one hook that tests answer, so that
// every flow that asks for a file runs without a person.
#pragma once

#include <functional>

#include <QString>

class QWidget;

namespace forms {

// What a file dialog asks: to save (a new or existing file, replacing it after
// a question) or to open (an existing file), with its title, the folder it
// starts in, the proposed file name, the extension added to a bare name, and
// the filter of the names it lists.
struct FileDialog {
    enum class Kind { Save, Open };
    Kind kind = Kind::Open;
    QString title;
    QString folder;
    QString fileName;
    QString defaultSuffix;
    QString filter;
};

// Sees each dialog instead of the person and returns the chosen path, or ""
// for Cancel. Returns the hook it replaces.
using FileDialogHook = std::function<QString(QWidget* parent, const FileDialog& dialog)>;
FileDialogHook setFileDialogHook(FileDialogHook hook);

// Shows `dialog` modally (or asks the hook) and returns the chosen path, or ""
// when the user cancelled.
QString askForFile(QWidget* parent, const FileDialog& dialog);

} // namespace forms
