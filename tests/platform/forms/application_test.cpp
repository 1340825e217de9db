// The programs' last guard: an error that escapes an event handler is shown as
// the windows show the errors they catch, and the event counts as handled.
#include "platform/forms/application.h"

#include <functional>
#include <stdexcept>
#include <vector>

#include <QEvent>
#include <QTest>

#include "platform/data/database.h"
#include "platform/forms/messages.h"

namespace {

// Throws what it was given when it receives a user event.
class Thrower : public QObject {
public:
    explicit Thrower(std::function<void()> fail) : m_fail(std::move(fail)) {}
    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::User)
            m_fail();
        return QObject::event(e);
    }

private:
    std::function<void()> m_fail;
};

} // namespace

class ApplicationTest : public QObject {
    Q_OBJECT

private slots:
    void anEscapedErrorIsShownAndTheEventCountsAsHandled_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::newRow("database") << 0 << "Database Error" << "disk I/O error";
        QTest::newRow("sum too large") << 1 << "Amount Too Large"
                                       << "The amounts add up to more than the program can hold.";
        QTest::newRow("anything else") << 2 << "Unexpected Error" << "no such layout";
    }
    void anEscapedErrorIsShownAndTheEventCountsAsHandled()
    {
        QFETCH(int, kind);
        QFETCH(QString, title);
        QFETCH(QString, text);
        std::vector<forms::MessageBox> shown;
        const auto previous = forms::setMessageHook([&](const forms::MessageBox& box) {
            shown.push_back(box);
            return forms::Answer::Ok;
        });
        Thrower thrower([kind] {
            if (kind == 0)
                throw platform::DbError(10, "disk I/O error", "SELECT 1");
            if (kind == 1)
                throw std::overflow_error("amount out of range");
            throw std::invalid_argument("no such layout");
        });
        QEvent event(QEvent::User);
        QVERIFY(QCoreApplication::sendEvent(&thrower, &event));
        forms::setMessageHook(previous);
        QCOMPARE(shown.size(), std::size_t{1});
        QCOMPARE(shown.front().title, title);
        QCOMPARE(shown.front().text, text);
    }
};

int main(int argc, char** argv)
{
    forms::Application app(argc, argv);
    ApplicationTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "application_test.moc"
