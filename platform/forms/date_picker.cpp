#include "platform/forms/date_picker.h"

#include <QDateEdit>
#include <QString>

namespace forms {

QDate firstPickableDate()
{
    return QDate(kFirstPickableYear, 1, 1);
}

QDate lastPickableDate()
{
    return QDate(kLastPickableYear, 12, 31);
}

QDateEdit* makeDatePicker(QWidget* parent, const char* objectName)
{
    auto* d = new QDateEdit(parent);
    d->setObjectName(QLatin1String(objectName));
    d->setCalendarPopup(true);
    d->setDisplayFormat(QStringLiteral("dd-MMM-yyyy"));
    d->setDateRange(firstPickableDate(), lastPickableDate());
    return d;
}

} // namespace forms
