// The sign-in's composed texts.
#include "main/login_rules.h"

#include "platform/text/formats.h"

namespace app {

QString bizTel(const QString& telephones, const QString& fax)
{
    QString tel = QStringLiteral("Tel: ") + telephones;
    if (!fax.isEmpty())
        tel += QStringLiteral("   Fax: ") + fax;
    return tel;
}

QString bizEMail(const QString& email)
{
    return QStringLiteral("E-Mail: ") + email;
}

QString yearLine(const QDate& start, const QDate& end)
{
    return QStringLiteral("Financial Year Starting From  ") + platform::formatDate(start, "mmm d, yyyy")
           + QStringLiteral("  To  ") + platform::formatDate(end, "mmm d, yyyy");
}

QString mainCaption(const QString& businessName)
{
    return QStringLiteral("Tamsel Standard - ") + businessName;
}

} // namespace app
