// The shared pieces of the settings and administration windows.
#include "main/window_parts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "platform/data/database.h"
#include "platform/forms/messages.h"

namespace app {

QLabel* titleLabel(QWidget* window, const QString& text)
{
    auto* title = new QLabel(text, window);
    title->setObjectName(QStringLiteral("TitleLbl"));
    QFont big = title->font();
    big.setBold(true);
    big.setPointSize(big.pointSize() + 4);
    title->setFont(big);
    return title;
}

QPushButton* makeButton(QWidget* window, const QString& caption, const QString& objectName)
{
    auto* b = new QPushButton(caption, window);
    b->setObjectName(objectName);
    // Enter in a text box must not press a button behind the user's back.
    b->setAutoDefault(false);
    return b;
}

QHBoxLayout* buttonRow(std::initializer_list<QPushButton*> buttons)
{
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QPushButton* b : buttons)
        row->addWidget(b);
    return row;
}

void showNoCompanyRow(QWidget* window)
{
    forms::showFailure(window, {QStringLiteral("Cannot Save"),
                                QStringLiteral("The company row is missing from the database."), QString()});
}

void showError(QWidget* window, const std::exception& error)
{
    if (const auto* db = dynamic_cast<const platform::DbError*>(&error)) {
        forms::showDbFailure(window, *db);
        return;
    }
    forms::showFailure(window, {QStringLiteral("Cannot Save"), QString::fromUtf8(error.what()), QString()});
}

} // namespace app
