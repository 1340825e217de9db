// Small pieces the ledger windows build their controls with.
#pragma once

#include <QLineEdit>
#include <QString>

namespace ledgers {

// `w`, named `name` (the control's name, which the tests look for).
template <typename W>
W* named(W* w, const char* name)
{
    w->setObjectName(QLatin1String(name));
    return w;
}

// A read-only, right-aligned box for a total, named `name`.
inline QLineEdit* readOnlyBox(QWidget* parent, const char* name)
{
    auto* box = named(new QLineEdit(parent), name);
    box->setReadOnly(true);
    box->setAlignment(Qt::AlignRight);
    return box;
}

} // namespace ledgers
