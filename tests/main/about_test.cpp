// The about window: its caption, the maker's details and the web link.
#include "main/about.h"

#include <QLabel>
#include <QTest>
#include <QUrl>

#include "main/parent.h"
#include "main/window_catalog.h"
#include "platform/shell/launcher.h"
#include "tests/main/signed_in.h"
#include "tests/support/test_database.h"
#include "tests/support/window_test_main.h"

class AboutTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { signed_in::setUpSeams(); }

    void opensFromItsMenuAndItsLinkOpensTheMakersPage()
    {
        testing_support::TestDatabase t;
        app::registerWindow(QStringLiteral("About"), [](app::Parent& m) { return new app::About(m); });
        auto main = signed_in::mainWindow(t);
        QVERIFY(main->action(app::Menu::Hlp, 10)->isEnabled());
        main->Hlp_Click(10);
        auto* about = main->findChild<app::About*>();
        QVERIFY(about && about->isModal());
        QCOMPARE(about->windowTitle(), QStringLiteral("Tamsel Standard"));
        QVERIFY(about->findChild<QLabel*>("MakerLbl")->text().startsWith(QStringLiteral("A Project of")));
        const QString link = about->findChild<QLabel*>("weblink")->text();

        QList<QUrl> opened;
        const auto previous = shell::setUrlHook([&opened](const QUrl& url) { opened << url; });
        about->weblink_Click();
        shell::setUrlHook(previous);
        QCOMPARE(opened.size(), 1);
        QVERIFY(link.contains(opened.first().toString()));
        QVERIFY(opened.first().scheme().startsWith(QStringLiteral("http")));
    }
};

WINDOW_TEST_MAIN(AboutTest)
#include "about_test.moc"
