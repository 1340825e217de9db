// Small pieces the ledger windows build their controls with.
#pragma once

#include <QLineEdit>
#include <QString>

#include "platform/forms/fit_text.h"

namespace ledgers {

// `w`, named `name` (the control's name, which the tests look for).
template <typename W>
W* named(W* w, const char* name)
{
    w->setObjectName(QLatin1String(name));
    return w;
}

// A read-only box named `name`, right-aligned as for a total unless `align`
// says otherwise; a text wider than the box is set smaller, never cut.
inline QLineEdit* readOnlyBox(QWidget* parent, const char* name, Qt::Alignment align = Qt::AlignRight)
{
    auto* box = named(new forms::WholeTextBox(parent), name);
    box->setAlignment(align);
    return box;
}

} // namespace ledgers
