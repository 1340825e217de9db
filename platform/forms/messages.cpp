// Message boxes through one door: the test hook, or a real QMessageBox.
#include "platform/forms/messages.h"

#include <stdexcept>

#include <utility>

#include <QMessageBox>
#include <QWidget>

#include "platform/data/database.h"

namespace forms {
namespace {

MessageHook& hook()
{
    static MessageHook h;
    return h;
}

Answer show(QWidget* parent, const MessageBox& box)
{
    if (hook())
        return hook()(box);
    QMessageBox mb(box.informationIcon ? QMessageBox::Information : QMessageBox::NoIcon, box.title,
                   box.text, QMessageBox::NoButton, parent);
    switch (box.buttons) {
    case Buttons::Ok:
        mb.setStandardButtons(QMessageBox::Ok);
        break;
    case Buttons::YesNo:
        mb.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        mb.setEscapeButton(QMessageBox::No);
        break;
    case Buttons::YesNoCancel:
        mb.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        mb.setEscapeButton(QMessageBox::Cancel);
        break;
    }
    switch (box.defaultAnswer) {
    case Answer::Yes: mb.setDefaultButton(QMessageBox::Yes); break;
    case Answer::No: mb.setDefaultButton(QMessageBox::No); break;
    case Answer::Cancel: mb.setDefaultButton(QMessageBox::Cancel); break;
    case Answer::Ok: mb.setDefaultButton(QMessageBox::Ok); break;
    }
    switch (mb.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    case QMessageBox::Ok:
        return Answer::Ok;
    default:
        return box.buttons == Buttons::YesNoCancel ? Answer::Cancel
               : box.buttons == Buttons::YesNo     ? Answer::No
                                                   : Answer::Ok;
    }
}

} // namespace

MessageHook setMessageHook(MessageHook h)
{
    return std::exchange(hook(), std::move(h));
}

void inform(QWidget* parent, const QString& title, const QString& text)
{
    show(parent, {title, text, Buttons::Ok, true, Answer::Ok});
}

Answer ask(QWidget* parent, const QString& title, const QString& text, Buttons buttons,
           Answer defaultAnswer)
{
    return show(parent, {title, text, buttons, false, defaultAnswer});
}

Answer askBeforeDestroying(QWidget* parent, const QString& title, const QString& text)
{
    return ask(parent, title, text, Buttons::YesNo, Answer::No);
}

void showFailure(QWidget* window, const Problem& problem)
{
    inform(window, problem.title, problem.message);
    if (window && !problem.focus.isEmpty()) {
        if (auto* w = window->findChild<QWidget*>(problem.focus))
            w->setFocus(Qt::OtherFocusReason);
    }
}

void showDbFailure(QWidget* window, const platform::DbError& error)
{
    inform(window, QStringLiteral("Database Error"), QString::fromStdString(error.message()));
}

void showError(QWidget* window, const std::exception& error)
{
    if (const auto* db = dynamic_cast<const platform::DbError*>(&error)) {
        showDbFailure(window, *db);
    } else if (dynamic_cast<const std::overflow_error*>(&error)) {
        inform(window, QStringLiteral("Amount Too Large"),
               QStringLiteral("The amounts add up to more than the program can hold."));
    } else {
        inform(window, QStringLiteral("Unexpected Error"), QString::fromUtf8(error.what()));
    }
}

} // namespace forms
