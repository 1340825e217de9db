// Stowkeep's window: its texts, the three options acting on a click, the
// dialogs and boxes each action shows, and the end of the program after a restore.
#include "backup/back_up.h"

#include <fstream>

#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <sys/wait.h>
#include <unistd.h>

#include "backup/backup_rules.h"
#include "platform/data/file_lock.h"
#include "platform/forms/file_dialogs.h"
#include "platform/shell/environment.h"
#include "tests/backup/book_folder.h"
#include "tests/support/message_recorder.h"
#include "tests/support/window_test_main.h"

namespace fs = std::filesystem;
using backup_testing::BookFolder;
using backup_testing::bytesOf;
using backup_testing::filesIn;
using backup_testing::vouchersIn;
using testing_support::MessageRecorder;

namespace {

const QDateTime kNow(QDate(2026, 12, 10), QTime(13, 5, 9));

// Answers the file dialogs with queued paths ("" cancels) and keeps what each asked.
struct Dialogs {
    QStringList answers;
    QList<forms::FileDialog> asked;
    forms::FileDialogHook previous;
    Dialogs()
    {
        previous = forms::setFileDialogHook([this](QWidget*, const forms::FileDialog& d) {
            asked << d;
            return answers.isEmpty() ? QString() : answers.takeFirst();
        });
    }
    ~Dialogs() { forms::setFileDialogHook(std::move(previous)); }
};

QString path(const fs::path& p)
{
    return QString::fromStdString(p.string());
}

} // namespace

class BackUpTest : public QObject {
    Q_OBJECT

private slots:
    void init() { shell::setNow(kNow); }

    void showsItsTextsAndTheBookWithNoOptionChosen()
    {
        BookFolder folder(1);
        backup::BackUp window(path(folder.root()));
        QCOMPARE(window.windowTitle(), QStringLiteral("Stowkeep - Tamsel"));
        QCOMPARE(window.findChild<QLabel*>("Label8")->text(), QStringLiteral("STOWKEEP"));
        QVERIFY(window.findChild<QLabel*>("BookPath")->text().endsWith(path(folder.book())));
        const char* frames[][2] = {{"Frame1", "Back-Up Data"}, {"Frame3", "Restore Back-Up"},
                                   {"Frame2", "Compact and Repair Data"}};
        for (const auto& f : frames)
            QCOMPARE(window.findChild<QGroupBox*>(f[0])->title(), QString::fromLatin1(f[1]));
        const char* options[] = {"Back-Up Data", "Restore Back-up", "Compact and Repair Data"};
        for (int i = 0; i < 3; ++i) {
            auto* option = window.findChild<QRadioButton*>(QStringLiteral("Op1%1").arg(i));
            QVERIFY(option);
            QCOMPARE(option->text(), QString::fromLatin1(options[i]));
            QVERIFY(!option->isChecked());
        }
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(window.frameGeometry().width() <= 1024 && window.frameGeometry().height() <= 768);
        for (const char* name : {"Label7", "Label9", "Label1", "Label6"}) {
            const auto* label = window.findChild<QLabel*>(name);
            QVERIFY2(label->height() >= label->heightForWidth(label->width()), name);   // no line cut off
        }
    }

    void backUpSavesWhereChosenAndASecondClickRepeatsIt()
    {
        BookFolder folder(2);
        MessageRecorder boxes;
        Dialogs dialogs;
        const fs::path first = folder.root() / "first.mdb";
        const fs::path second = folder.root() / "second.mdb";
        dialogs.answers << path(first) << path(second);
        backup::BackUp window(path(folder.root()));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* option = window.findChild<QRadioButton*>("Op10");
        const QPoint onIndicator(6, option->height() / 2);

        QTest::mouseClick(option, Qt::LeftButton, {}, onIndicator);
        QCOMPARE(dialogs.asked.size(), 1);
        const forms::FileDialog d = dialogs.asked.first();
        QCOMPARE(d.kind, forms::FileDialog::Kind::Save);
        QCOMPARE(d.title, QStringLiteral("Save Back-Up As"));
        QCOMPARE(d.fileName, QStringLiteral("Tamsel Data Back-Up (Date 10-12-26) (Time 01-05-09 pm)"));
        QCOMPARE(d.defaultSuffix, QStringLiteral("mdb"));
        QCOMPARE(d.filter, QStringLiteral("*.mdb"));
        QCOMPARE(d.folder, QDir::homePath());
        QCOMPARE(boxes.last().title, QStringLiteral("Back-Up Saved"));
        QCOMPARE(boxes.last().text, QStringLiteral("Your back-up has been saved at the selected location."));
        QCOMPARE(vouchersIn(first), 2);

        QVERIFY(option->isChecked());
        QTest::mouseClick(option, Qt::LeftButton, {}, onIndicator);   // already chosen: the click repeats the back-up
        QCOMPARE(dialogs.asked.size(), 2);
        QCOMPARE(vouchersIn(second), 2);
        QVERIFY(window.isVisible());
    }

    void aFailedBackUpIsToldAndTheWindowStays()
    {
        BookFolder folder(1);
        MessageRecorder boxes;
        Dialogs dialogs;
        std::ofstream(folder.root() / "note.txt") << "a file";
        dialogs.answers << path(folder.root() / "note.txt" / "copy.mdb");
        backup::BackUp window(path(folder.root()));
        window.show();
        window.Op1_Click(0);
        QCOMPARE(boxes.last().title, QStringLiteral("Back-Up Not Saved"));
        QVERIFY(boxes.last().informationIcon);
        QVERIFY(boxes.last().text.contains(QStringLiteral("Not a directory")));
        QVERIFY(window.isVisible());
    }

    void noAndCancelChangeNothing_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("yes");   // the answer to the question, where there is one
        QTest::newRow("back-up, Cancel in the dialog") << 0 << false;
        QTest::newRow("restore, No") << 1 << false;
        QTest::newRow("restore, Yes then Cancel in the dialog") << 1 << true;
        QTest::newRow("compact, No") << 2 << false;
    }

    void noAndCancelChangeNothing()
    {
        QFETCH(int, index);
        QFETCH(bool, yes);
        BookFolder folder(2);
        MessageRecorder boxes;
        Dialogs dialogs;   // no answers: every dialog is cancelled
        if (yes)
            boxes.answer(forms::Answer::Yes);
        const std::string book = bytesOf(folder.book());
        const auto before = filesIn(folder.dbFolder());
        const auto rootBefore = filesIn(folder.root());

        backup::BackUp window(path(folder.root()));
        window.show();
        window.Op1_Click(index);
        QCOMPARE(bytesOf(folder.book()), book);
        QCOMPARE(filesIn(folder.dbFolder()), before);
        QCOMPARE(filesIn(folder.root()), rootBefore);
        for (const auto& box : boxes.boxes())
            QVERIFY2(box.buttons != forms::Buttons::Ok, qPrintable(box.text));   // only the question, no message
        QVERIFY(window.isVisible());
    }

    void restoreAsksThenReplacesTheBookAndEndsTheProgram()
    {
        BookFolder folder(3);
        const fs::path saved = folder.root() / "saved.mdb";
        QVERIFY(!backup::backUp(backup::BookFiles(folder.root()), saved));
        folder.addVouchers(2);
        MessageRecorder boxes;
        Dialogs dialogs;
        boxes.answer(forms::Answer::Yes);
        dialogs.answers << path(saved);
        backup::BackUp window(path(folder.root()));
        window.show();

        window.Op1_Click(1);
        QCOMPARE(boxes.boxes().size(), std::size_t{2});
        const forms::MessageBox question = boxes.boxes().front();
        QCOMPARE(question.title, QStringLiteral("Restore Back-Up"));
        QCOMPARE(question.buttons, forms::Buttons::YesNo);
        QCOMPARE(question.text, QStringLiteral("Are you sure you want to restore your back-up data? It is always "
                                               "advised that you take back-up of your current data before "
                                               "restoring older one."));
        QCOMPARE(question.defaultAnswer, forms::Answer::No);   // Enter never replaces the book
        QVERIFY(!question.informationIcon);
        QCOMPARE(dialogs.asked.first().kind, forms::FileDialog::Kind::Open);
        QCOMPARE(boxes.last().title, QStringLiteral("Back-Up Restored"));
        QCOMPARE(boxes.last().text, QStringLiteral("Your selected back-up has been restored."));
        QVERIFY(!window.isVisible());
        QCOMPARE(vouchersIn(folder.book()), 3);
        QCOMPARE(vouchersIn(folder.dbFolder() / backup::safetyCopyName(backup::timeStamp(kNow), 1)), 5);
    }

    void restoreAndCompactAreRefusedWhileTheMainProgramIsOpen_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("title");
        QTest::newRow("restore") << 1 << QStringLiteral("Back-Up Not Restored");
        QTest::newRow("compact") << 2 << QStringLiteral("Data Not Compacted");
    }

    void restoreAndCompactAreRefusedWhileTheMainProgramIsOpen()
    {
        QFETCH(int, index);
        QFETCH(QString, title);
        BookFolder folder(2);
        const fs::path saved = folder.root() / "saved.mdb";
        QVERIFY(!backup::backUp(backup::BookFiles(folder.root()), saved));
        const platform::FileLock mainProgram = platform::FileLock::take(
            platform::lockPathFor(folder.book().string()), platform::FileLock::Mode::Shared);
        MessageRecorder boxes;
        Dialogs dialogs;
        boxes.answer(forms::Answer::Yes);
        dialogs.answers << path(saved);
        const std::string book = bytesOf(folder.book());
        backup::BackUp window(path(folder.root()));
        window.setLockWaitMs(100);
        window.show();

        window.Op1_Click(index);
        QCOMPARE(boxes.last().title, title);
        QVERIFY(boxes.last().text.contains(QStringLiteral("Tamsel Standard still has the data file open")));
        QCOMPARE(bytesOf(folder.book()), book);
        QVERIFY(window.isVisible());
    }

    void compactSaysCompactedAndRepaired()
    {
        BookFolder folder(2);
        MessageRecorder boxes;
        boxes.answer(forms::Answer::Yes);
        backup::BackUp window(path(folder.root()));
        window.Op1_Click(2);
        QCOMPARE(boxes.boxes().front().title, QStringLiteral("Compact and Repair Data"));
        QCOMPARE(boxes.boxes().front().text,
                 QStringLiteral("Are you sure you want to compact and repair your data? It is always advised that "
                                "you take back-up of your current data before restoring older one."));
        QCOMPARE(boxes.boxes().front().defaultAnswer, forms::Answer::No);
        QCOMPARE(boxes.last().title, QStringLiteral("Data Compacted"));
        QCOMPARE(boxes.last().text, QStringLiteral("Your data has been compacted and repaired."));
        QVERIFY(fs::exists(folder.dbFolder() / backup::safetyCopyName(backup::timeStamp(kNow), 1)));
    }

    void startingRemovesWhatAKilledRunLeftWhereverItWrote()
    {
        BookFolder folder(1);
        const pid_t ended = ::fork();
        if (ended == 0)
            ::_exit(0);
        ::waitpid(ended, nullptr, 0);
        const fs::path stale = folder.dbFolder() / (".stowkeep-" + std::to_string(ended) + "-1.tmp");
        const fs::path ours = folder.dbFolder() / (".stowkeep-" + std::to_string(::getpid()) + "-99.tmp");
        std::ofstream(stale) << "half a book";
        std::ofstream(ours) << "being written";
        // A back-up killed while it wrote into a folder of the user's: its
        // temporary file and journal there, and the note of that folder beside the book.
        const fs::path chosen = folder.root() / "chosen";
        fs::create_directories(chosen);
        const std::string name = ".stowkeep-" + std::to_string(ended) + "-2.tmp";
        std::ofstream(chosen / name) << "half a back-up";
        std::ofstream(chosen / (name + "-journal")) << "its journal";
        const fs::path note = folder.dbFolder() / (".stowkeep-" + std::to_string(ended) + "-1.where");
        std::ofstream(note) << chosen.string() << '\n';
        MessageRecorder boxes;
        backup::BackUp window(path(folder.root()));
        QVERIFY(!fs::exists(stale));
        QVERIFY(fs::exists(ours));
        QVERIFY(!fs::exists(chosen / name));
        QVERIFY(!fs::exists(chosen / (name + "-journal")));
        QVERIFY(!fs::exists(note));
        QVERIFY(boxes.boxes().empty());
    }

    void aMissingBookIsRefusedBeforeAnyQuestionAndNeverMade()
    {
        const QTemporaryDir empty;
        MessageRecorder boxes;
        Dialogs dialogs;
        backup::BackUp window(empty.path());
        for (int index = 0; index < 3; ++index) {
            boxes.clear();
            window.Op1_Click(index);
            QCOMPARE(boxes.boxes().size(), std::size_t{1});
            QVERIFY(boxes.last().text.contains(QStringLiteral("DB/tamselstd.MDB\" was not found")));
        }
        QVERIFY(dialogs.asked.isEmpty());
        QVERIFY(QDir(empty.path()).isEmpty());
    }
};

WINDOW_TEST_MAIN(BackUpTest)
#include "back_up_test.moc"
