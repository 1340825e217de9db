// Texts the sign-in puts together from the business row and the chosen year.
#pragma once

#include <QDate>
#include <QString>

namespace app {

// "Tel: " and the telephones, then "   Fax: " and the fax when there is one.
QString bizTel(const QString& telephones, const QString& fax);
// "E-Mail: " and the address.
QString bizEMail(const QString& email);
// The status bar's year line: "Financial Year Starting From  Jul 1, 2026  To  Jun 30, 2027".
QString yearLine(const QDate& start, const QDate& end);
// The main window's caption after sign-in: "Tamsel Standard - " and the business name.
QString mainCaption(const QString& businessName);

} // namespace app
