// The one way windows show message boxes and ask questions, so that tests can
// see every box and answer it without a person (and without ever blocking).
#pragma once

#include <exception>

#include <functional>

#include <QString>

class QWidget;

namespace platform { class DbError; }

namespace forms {

enum class Buttons { Ok, YesNo, YesNoCancel };
enum class Answer { Ok, Yes, No, Cancel };

// What a box shows: its title, its text, its buttons and whether it carries
// the information icon (refusals do; questions do not).
struct MessageBox {
    QString title;
    QString text;
    Buttons buttons = Buttons::Ok;
    bool informationIcon = true;
    Answer defaultAnswer = Answer::Ok;   // the button Enter presses
};

// A hook sees each box instead of the person and returns the answer. Tests
// install one; without one, a real box is shown modally. Returns the hook it
// replaces.
using MessageHook = std::function<Answer(const MessageBox&)>;
MessageHook setMessageHook(MessageHook hook);

// Information icon and OK.
void inform(QWidget* parent, const QString& title, const QString& text);
// A question without icon, with Yes and No or with Yes, No and Cancel. Closing
// the box counts as No for two buttons and as Cancel for three. Enter presses
// Yes, unless the question passes another default: one whose Yes deletes or
// replaces data passes Answer::No (see askBeforeDestroying).
Answer ask(QWidget* parent, const QString& title, const QString& text, Buttons buttons,
           Answer defaultAnswer = Answer::Yes);

// A Yes/No question whose Yes deletes or replaces data: No is the default, so
// Enter never destroys.
Answer askBeforeDestroying(QWidget* parent, const QString& title, const QString& text);

// A mistake the user can correct: a title, one sentence, and the control
// (by objectName, within the window) that takes the focus afterwards; an empty
// name leaves the focus where it is.
struct Problem {
    QString title;
    QString message;
    QString focus;
};
void showFailure(QWidget* window, const Problem& problem);
// A database failure: shown with the engine's message, under "Database Error".
void showDbFailure(QWidget* window, const platform::DbError& error);
// What a window's entry point shows for any error it caught: a
// platform::DbError as showDbFailure, an amount too large to add up
// (std::overflow_error) as "Amount Too Large", anything else under
// "Unexpected Error" with its text. The window stays usable.
void showError(QWidget* window, const std::exception& error);

} // namespace forms
