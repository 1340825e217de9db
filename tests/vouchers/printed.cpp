// The report window and the signed-in main window for the printing tests.
#include "tests/vouchers/printed.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QTest>

#include "main/parent.h"
#include "main/window_catalog.h"
#include "platform/forms/window_host.h"
#include "platform/report/preview.h"
#include "platform/shell/environment.h"
#include "tests/support/message_recorder.h"
#include "tests/support/test_database.h"
#include "vouchers/voucher_printing.h"

namespace printed {

report::PreviewWindow* openPreview()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* p = qobject_cast<report::PreviewWindow*>(w); p && p->isVisible())
            return p;
    return nullptr;
}

std::vector<QStringList> pages()
{
    std::vector<QStringList> out;
    if (const auto* preview = openPreview())
        for (const auto& page : preview->document().pages) {
            QStringList texts;
            for (const auto& item : page.items)
                if (const auto* t = std::get_if<report::TextRun>(&item))
                    texts << t->text;
            out.push_back(texts);
        }
    return out;
}

QStringList texts()
{
    QStringList out;
    for (const auto& page : pages())
        out << page;
    return out;
}

void closeAll()
{
    while (auto* preview = openPreview())
        preview->close();
}

void setUpSeams()
{
    shell::setScreenWidthTwips(20000);
    shell::setToday(QDate(2026, 12, 10));
    forms::WindowHost::setModalNonBlocking(true);
}

std::unique_ptr<app::Parent> signedIn(testing_support::TestDatabase& t, int user)
{
    auto main = std::make_unique<app::Parent>(t.path());
    main->setAttribute(Qt::WA_DeleteOnClose, false);
    main->PelkUser = user;
    main->UName = QStringLiteral("u");
    main->FYID = 1;
    main->FYStart = QDate{2026, 7, 1};
    main->FYEnd = QDate{2027, 6, 30};
    main->CurrencyName = QStringLiteral("Rupees");
    for (const auto& f : vouchers::printLayoutFlags())
        (*main).*f.flag = true;
    main->MDIForm_Load();
    return main;
}

void checkMenuEntry(app::Menu menu, int index, int rightId, const char* window)
{
    app::clearWindows();
    app::registerWindows();
    testing_support::TestDatabase t;
    t.addUser(3, "clerk", "");
    t.refuse(3, rightId);
    auto main = signedIn(t, 3);
    QAction* entry = main->action(menu, index);
    QVERIFY(entry && entry->isEnabled());
    testing_support::MessageRecorder boxes;
    entry->trigger();
    QCOMPARE(boxes.last().title, QStringLiteral("Not Allowed"));
    QVERIFY(!main->findChild<QDialog*>(QLatin1String(window)));

    t.refuse(3, rightId, false);
    boxes.clear();
    entry->trigger();
    QVERIFY(boxes.boxes().empty());
    auto* w = main->findChild<QDialog*>(QLatin1String(window));
    QVERIFY(w);
    QVERIFY(w->isModal());
    w->close();
}

} // namespace printed
