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

// A read-only box named `name`, right-aligned as for a total unless `align` says otherwise.
inline QLineEdit* readOnlyBox(QWidget* parent, const char* name, Qt::Alignment align = Qt::AlignRight)
{
    auto* box = named(new QLineEdit(parent), name);
    box->setReadOnly(true);
    box->setAlignment(align);
    return box;
}

} // namespace ledgers
