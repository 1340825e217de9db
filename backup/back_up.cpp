// The window's texts are the program's own; the clock is read once per action
// (shell::now), and dialogs and boxes go through their hooks.
#include "backup/back_up.h"

#include <QApplication>
#include <QButtonGroup>
#include <QDir>
#include <QFont>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "backup/backup_rules.h"
#include "db/upgrade.h"
#include "platform/data/file_lock.h"
#include "platform/forms/file_dialogs.h"
#include "platform/forms/messages.h"
#include "platform/shell/environment.h"

namespace backup {

namespace {

const QString kBackUpFailed = QStringLiteral("Back-Up Not Saved");
const QString kRestoreFailed = QStringLiteral("Back-Up Not Restored");
const QString kCompactFailed = QStringLiteral("Data Not Compacted");

QLabel* wrappedLabel(const QString& name, const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    return label;
}

// A frame holding its option and the text that explains it.
QGroupBox* frame(const QString& name, const QString& caption, QRadioButton* option, QLabel* text, QWidget* parent)
{
    auto* box = new QGroupBox(caption, parent);
    box->setObjectName(name);
    auto* layout = new QVBoxLayout(box);
    option->setParent(box);
    text->setParent(box);
    layout->addWidget(option);
    layout->addWidget(text);
    return box;
}

// Tells `failure` under `title`; true when there was one.
bool told(QWidget* window, const QString& title, const Failure& failure)
{
    if (!failure)
        return false;
    forms::inform(window, title, QString::fromStdString(*failure));
    return true;
}

// The hourglass while a long action runs.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

forms::FileDialog dialogFor(forms::FileDialog::Kind kind, const QString& title)
{
    forms::FileDialog d;
    d.kind = kind;
    d.title = title;
    d.folder = QDir::homePath();
    d.defaultSuffix = QStringLiteral("mdb");
    d.filter = QStringLiteral("*.mdb");
    return d;
}

} // namespace

BackUp::BackUp(const QString& workingFolder, QWidget* parent)
    : QWidget(parent)
    , m_files{workingFolder.toStdString()}
{
    setObjectName(QStringLiteral("BackUp"));
    // What a Stowkeep killed midway left beside the book and in the folder a
    // killed back-up was writing in.
    removeStaleTemporaries(m_files);
    setWindowTitle(QStringLiteral("Stowkeep - Tamsel"));

    auto* title = new QLabel(QStringLiteral("STOWKEEP"), this);
    title->setObjectName(QStringLiteral("Label8"));
    QFont big = title->font();
    big.setPointSize(big.pointSize() * 2);
    big.setBold(true);
    title->setFont(big);
    auto* warning = wrappedLabel(QStringLiteral("Label7"),
        QStringLiteral("Close the main application, before taking back-up or the back-up may contain errors."), this);
    auto* bookPath = wrappedLabel(QStringLiteral("BookPath"),
        QStringLiteral("Data file: ") + QString::fromStdString(m_files.book.string()), this);
    bookPath->setTextInteractionFlags(Qt::TextSelectableByMouse);

    // The three frames, in the window's order, each with its option and its text.
    struct FrameText { const char* frame; const char* caption; const char* option; const char* label; QString text; };
    const FrameText frames[] = {
        {"Frame1", "Back-Up Data", "Back-Up Data", "Label9",
         QStringLiteral("It is recommended that you always take back-up after using your application or atleast "
                        "once everyday. Store your back-up at some safe location, like some other hard drive or "
                        "CD. Remember, that your application can be installed again but your data cannot be "
                        "restored, if you lose it in any way and don't have the back-up data. It has become much "
                        "easier now a days to corrupt or lose data, in presence of various silent computer worms "
                        "and viruses, as well as sudden power shut downs.")},
        {"Frame3", "Restore Back-Up", "Restore Back-up", "Label1",
         QStringLiteral("This will replace your current data with the data in back-up. If you are having any "
                        "problems with your current data then it is recommended that you restore your back-up "
                        "but if the back-up is not up-to-date then you would not be able to restore data entered "
                        "after you last took back-up of your data. It is always advised that you take back-up of "
                        "your current data before restoring older one.")},
        {"Frame2", "Compact and Repair Data", "Compact and Repair Data", "Label6",
         QStringLiteral("Continuous adding, editing or deleting data inflates database size with unnecessary "
                        "information that's why your database may require some repairing from time to time. This "
                        "is also important for stopping the database from slowing down and encountering errors. "
                        "It is recommended that you compact and repair your database after atleast every 2 "
                        "weeks. Please note, it is always advised that you take back-up of your current data "
                        "before compacting your data.")},
    };

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title, 0, Qt::AlignHCenter);
    layout->addWidget(warning);
    layout->addWidget(bookPath);
    auto* group = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        const FrameText& f = frames[i];
        m_options[i] = new QRadioButton(QString::fromLatin1(f.option), this);
        m_options[i]->setObjectName(QStringLiteral("Op1%1").arg(i));
        group->addButton(m_options[i], i);
        layout->addWidget(frame(QString::fromLatin1(f.frame), QString::fromLatin1(f.caption), m_options[i],
                                wrappedLabel(QString::fromLatin1(f.label), f.text, this), this));
    }
    // idClicked comes on every click, also on the option already chosen, so a
    // second click repeats its action.
    connect(group, &QButtonGroup::idClicked, this, &BackUp::Op1_Click);
    layout->addStretch();
    // Tall enough for every wrapped text at this width: a fixed height cut
    // the frames' texts off. The longest texts fit 1024x768 so.
    constexpr int kWidth = 720;
    resize(kWidth, layout->totalHeightForWidth(kWidth));
}

void BackUp::Op1_Click(int index)
{
    switch (index) {
    case 0: backUp(); break;
    case 1: restore(); break;
    case 2: compact(); break;
    default: break;
    }
}

Failure BackUp::underLock(const std::function<Failure(const platform::FileLock&)>& change)
{
    WaitCursor wait;
    platform::FileLock lock;
    if (Failure failure = lockForChange(m_files, lock, m_lockWaitMs))
        return failure;
    return change(lock);
}

void BackUp::backUp()
{
    if (told(this, kBackUpFailed, checkBook(m_files)))
        return;
    auto dialog = dialogFor(forms::FileDialog::Kind::Save, QStringLiteral("Save Back-Up As"));
    dialog.fileName = QString::fromStdString(timeStamp(shell::now()));
    const QString target = forms::askForFile(this, dialog);
    if (target.isEmpty())
        return;
    Failure failure;
    {
        WaitCursor wait;
        failure = backup::backUp(m_files, target.toStdString());
    }
    if (!told(this, kBackUpFailed, failure))
        forms::inform(this, QStringLiteral("Back-Up Saved"),
                      QStringLiteral("Your back-up has been saved at the selected location."));
}

void BackUp::restore()
{
    if (told(this, kRestoreFailed, checkBook(m_files)))
        return;
    if (forms::askBeforeDestroying(this, QStringLiteral("Restore Back-Up"),
                                   QStringLiteral("Are you sure you want to restore your back-up data? It is always "
                                                  "advised that you take back-up of your current data before "
                                                  "restoring older one.")) != forms::Answer::Yes)
        return;
    const QString chosen = forms::askForFile(this, dialogFor(forms::FileDialog::Kind::Open,
                                                             QStringLiteral("Restore Back-Up From")));
    if (chosen.isEmpty())
        return;
    const std::string stamp = timeStamp(shell::now());
    const Failure failure = underLock([&](const platform::FileLock& lock) {
        return backup::restore(m_files, lock, chosen.toStdString(), stamp, db::schemaUpgrades());
    });
    if (told(this, kRestoreFailed, failure))
        return;
    forms::inform(this, QStringLiteral("Back-Up Restored"), QStringLiteral("Your selected back-up has been restored."));
    close();
}

void BackUp::compact()
{
    if (told(this, kCompactFailed, checkBook(m_files)))
        return;
    if (forms::askBeforeDestroying(this, QStringLiteral("Compact and Repair Data"),
                                   QStringLiteral("Are you sure you want to compact and repair your data? It is "
                                                  "always advised that you take back-up of your current data before "
                                                  "restoring older one.")) != forms::Answer::Yes)
        return;
    const std::string stamp = timeStamp(shell::now());
    const Failure failure = underLock([&](const platform::FileLock& lock) {
        return backup::compact(m_files, lock, stamp);
    });
    // The rebuild is the repair: the indexes are written anew from the checked rows.
    if (!told(this, kCompactFailed, failure))
        forms::inform(this, QStringLiteral("Data Compacted"), QStringLiteral("Your data has been compacted and repaired."));
}

} // namespace backup
