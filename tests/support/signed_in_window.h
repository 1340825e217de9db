// Test support: a main window signed in to a year over a test database, the
// controls of a window and their texts found by name, typing into a list, and
// the preview a print left open.
#pragma once

#include <memory>

#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QString>
#include <QWidget>

#include "main/parent.h"

namespace report { class PreviewWindow; }

namespace testing_support {

// Who is signed in to which year, and the business texts the sign-in sets.
struct SignIn {
    int user = 1;
    int fyId = 1;
    QDate fyStart;
    QDate fyEnd;
    QString business;
    QString userName;
    QString currency;
};

// A main window on the database at `databasePath`, loaded with `as` signed
// in; closing it does not delete it.
std::unique_ptr<app::Parent> signedInWindow(const QString& databasePath, const SignIn& as);

// The control named `name` of `w`; a missing one ends the test.
template <typename T = QWidget>
T* child(const QWidget& w, const char* name)
{
    auto* c = w.findChild<T*>(QLatin1String(name));
    if (!c)
        qFatal("no control %s", name);
    return c;
}

// The text of the box or label named `name`.
inline QString text(QWidget& w, const char* name)
{
    if (auto* box = w.findChild<QLineEdit*>(QLatin1String(name)))
        return box->text();
    return child<QLabel>(w, name)->text();
}

// Types `typed` into the list `list`, key by key, then gives the focus to
// `next`, as a user leaving the list does; returns the list's text then.
QString typeAndLeave(QComboBox* list, const QString& typed, QWidget* next);

// The preview a print left open over `w` (modal windows do not block here), or null.
report::PreviewWindow* previewOver(QWidget& w);

} // namespace testing_support
