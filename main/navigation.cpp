// The dashboard: the notice board, the notes and the quick buttons.
#include "main/navigation.h"

#include <array>

#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "main/business_store.h"
#include "main/help_form.h"
#include "main/parent.h"
#include "main/rights.h"
#include "main/user_store.h"
#include "main/voucher_kinds.h"
#include "main/window_catalog.h"
#include "main/window_parts.h"
#include "platform/data/database.h"
#include "platform/forms/click_label.h"
#include "platform/forms/exact_text.h"
#include "platform/forms/loaded_text.h"
#include "platform/forms/messages.h"
#include "platform/forms/window_host.h"
#include "platform/shell/environment.h"
#include "platform/text/formats.h"

namespace app {
namespace {

// The caption of each kind's quick button.
const char* recordNewCaption(int tranType)
{
    switch (tranType) {
    case 21: return "Purchase Voucher";
    case 25: return "Purchase Return Voucher";
    case 31: return "Sale Voucher";
    case 35: return "Sale Return Voucher";
    case 27: return "Cash Payment Voucher";
    case 37: return "Cash Receipt Voucher";
    case 28: return "Bank Payment Voucher";
    case 38: return "Bank Receipt Voucher";
    case 41: return "General Journal Voucher";
    default: return "";
    }
}

struct ReportButton {
    const char* caption;
    const char* window;
    int rightId;
    bool modal;
};
// ViewRep 1 to 4; the same rights as the Reports menu.
constexpr std::array<ReportButton, 4> kReports = {{
    {"Accounts' Ledgers", "AccLedgers", right::Ledgers, false},
    {"Trial Balance", "AccBalances", right::TrialBalance, false},
    {"Income Statement", "IncomeStatement", right::IncomeStatement, true},
    {"Balance Sheet", "BalanceSheet", right::BalanceSheet, true},
}};

struct Question {
    const char* caption;
    int helpId;
};
// Trouble 0 to 6 and the answer each opens.
constexpr std::array<Question, 7> kQuestions = {{
    {"How can I change the date format being displayed in the software?", 1},
    {"What are the steps to be followed to start working in this software?", 2},
    {"What is a Chart of Accounts and how can I develop it?", 7},
    {"How to move focus within controls of a form?", 3},
    {"When I try to print some report, it displays the message \"Report width is larger than the paper width.\" "
     "What should I do to correct this issue?",
     4},
    {"When I try to save a transaction, it displays the message \"Transaction date cannot be before starting date "
     "of financial year.\" or \"Transaction date cannot be after ending date of financial year.\"",
     5},
    {"How and when should I take back-up of my data?", 6},
}};

QLabel* heading(QWidget* parent, const char* text)
{
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

QPlainTextEdit* memoBox(QWidget* parent, const char* name)
{
    auto* box = new QPlainTextEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setTabChangesFocus(true);
    return box;
}

} // namespace

Navigation::Navigation(Parent& main, QWidget* parent) : QWidget(parent), m_main(main)
{
    setObjectName(QStringLiteral("Navigation"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto* product = titleLabel(this, QStringLiteral("Tamsel Standard"));
    m_coTxt = new QLineEdit(this);
    m_coTxt->setObjectName(QStringLiteral("CoTxt"));
    m_coTxt->setReadOnly(true);
    m_dtLbl = new QLabel(this);
    m_dtLbl->setObjectName(QStringLiteral("DtLbl"));

    m_memo = memoBox(this, "MemoTxt");
    m_saveBoard = makeButton(this, QStringLiteral("Save"), QStringLiteral("SaveBttn2"));
    m_cancelBoard = makeButton(this, QStringLiteral("Cancel"), QStringLiteral("CancelBttn2"));
    m_notes = memoBox(this, "NotesTxt");
    m_saveNotes = makeButton(this, QStringLiteral("Save"), QStringLiteral("SaveBttn"));
    m_cancelNotes = makeButton(this, QStringLiteral("Cancel"), QStringLiteral("CancelBttn"));
    connect(m_saveBoard, &QPushButton::clicked, this, &Navigation::SaveBttn2_Click);
    connect(m_cancelBoard, &QPushButton::clicked, this, &Navigation::CancelBttn2_Click);
    connect(m_saveNotes, &QPushButton::clicked, this, &Navigation::SaveBttn_Click);
    connect(m_cancelNotes, &QPushButton::clicked, this, &Navigation::CancelBttn_Click);

    auto* left = new QVBoxLayout;
    left->addWidget(product);
    left->addWidget(m_coTxt);
    left->addWidget(m_dtLbl);
    left->addWidget(heading(this, " Company Notice Board"));
    left->addWidget(m_memo, 1);
    left->addLayout(buttonRow({m_saveBoard, m_cancelBoard}));
    left->addWidget(heading(this, " My Notes"));
    left->addWidget(m_notes, 1);
    left->addLayout(buttonRow({m_saveNotes, m_cancelNotes}));

    // A quick button is live only when its window is part of the program.
    const auto live = [](const char* window) { return findWindow(QString::fromUtf8(window)) != nullptr; };

    auto* vouchers = new QVBoxLayout;
    vouchers->addWidget(heading(this, "Record New ..."));
    int index = 0;
    for (const VoucherKind& kind : voucherKinds()) {
        auto* b = new forms::ClickLabel(QString::fromLatin1(recordNewCaption(kind.tranType)),
                                        QStringLiteral("RecordNew%1").arg(index), this);
        b->setEnabled(live(kind.form));
        connect(b, &forms::ClickLabel::clicked, this, [this, index] { RecordNew_Click(index); });
        vouchers->addWidget(b);
        ++index;
    }
    vouchers->addSpacing(12);
    vouchers->addWidget(heading(this, "View ..."));
    for (std::size_t i = 0; i < kReports.size(); ++i) {
        const int n = static_cast<int>(i) + 1;
        auto* b = new forms::ClickLabel(QString::fromLatin1(kReports[i].caption), QStringLiteral("ViewRep%1").arg(n),
                                        this);
        b->setEnabled(live(kReports[i].window));
        connect(b, &forms::ClickLabel::clicked, this, [this, n] { ViewRep_Click(n); });
        vouchers->addWidget(b);
    }
    vouchers->addStretch();

    auto* trouble = new QVBoxLayout;
    trouble->addWidget(heading(this, " Troubleshooting"));
    for (std::size_t i = 0; i < kQuestions.size(); ++i) {
        const int n = static_cast<int>(i);
        auto* b = new forms::ClickLabel(QString::fromLatin1(kQuestions[i].caption),
                                        QStringLiteral("Trouble%1").arg(n), this);
        connect(b, &forms::ClickLabel::clicked, this, [this, n] { Trouble_Click(n); });
        trouble->addWidget(b);
    }
    trouble->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 5);
    layout->addLayout(vouchers, 2);
    layout->addLayout(trouble, 3);
    resize(960, 560);

    Form_Load();
}

void Navigation::Form_Load()
{
    // The window host places the dashboard at the main window's top-left corner.
    setWindowTitle(QStringLiteral("Account Dashboard - ") + m_main.UName);
    forms::setLoadedText(m_coTxt, m_main.BizName);
    m_dtLbl->setText(platform::formatDate(shell::today(), "MMMM dd, yyyy"));
    loadBoard();
    loadNotes();
    // An operator refused right 4 reads the board but cannot change it; the
    // administrator is never refused.
    m_locked = m_main.isRefused(right::NoticeBoard);
    m_memo->setReadOnly(m_locked);
    if (m_locked) {
        m_saveBoard->setEnabled(false);
        m_cancelBoard->setEnabled(false);
    }
}

void Navigation::loadBoard()
{
    try {
        forms::setExactText(m_memo, QString::fromStdString(loadNoticeBoard(*m_main.Pelkconn)));
        m_saveBoard->setEnabled(!m_locked);
        m_cancelBoard->setEnabled(!m_locked);
    } catch (const std::exception& e) {
        m_saveBoard->setEnabled(false);
        forms::showError(this, e);
    }
}

void Navigation::loadNotes()
{
    try {
        forms::setExactText(m_notes, QString::fromStdString(app::loadNotes(*m_main.Pelkconn, m_main.PelkUser)));
        m_saveNotes->setEnabled(true);
    } catch (const std::exception& e) {
        m_saveNotes->setEnabled(false);
        forms::showError(this, e);
    }
}

void Navigation::RecordNew_Click(int index)
{
    const auto kinds = voucherKinds();
    if (index < 0 || index >= static_cast<int>(kinds.size()))
        return;
    const VoucherKind& kind = kinds[static_cast<std::size_t>(index)];
    if (!m_main.CheckRight(kind.openRight()))
        return;
    m_main.openWindow(QString::fromUtf8(kind.form), false);
}

void Navigation::ViewRep_Click(int index)
{
    if (index < 1 || index > static_cast<int>(kReports.size()))
        return;
    const ReportButton& r = kReports[static_cast<std::size_t>(index - 1)];
    if (!m_main.CheckRight(r.rightId))
        return;
    m_main.openWindow(QString::fromUtf8(r.window), r.modal);
}

void Navigation::Trouble_Click(int index)
{
    if (index < 0 || index >= static_cast<int>(kQuestions.size()))
        return;
    m_main.HelpID = kQuestions[static_cast<std::size_t>(index)].helpId;
    auto* help = new HelpForm(m_main);
    help->setParent(&m_main, help->windowFlags() | Qt::Dialog);
    help->setAttribute(Qt::WA_DeleteOnClose);
    forms::WindowHost::runModal(help);
}

void Navigation::SaveBttn_Click()
{
    try {
        if (!storeNotes(*m_main.Pelkconn, m_main.PelkUser, forms::exactText(m_notes).toStdString()))
            forms::showFailure(this, {QStringLiteral("Cannot Save"), QStringLiteral("This user is no longer stored."),
                                      QString()});
    } catch (const std::exception& e) {
        forms::showError(this, e);
    }
}

void Navigation::CancelBttn_Click()
{
    loadNotes();
}

void Navigation::SaveBttn2_Click()
{
    if (m_locked)
        return;
    try {
        if (!storeNoticeBoard(*m_main.Pelkconn, forms::exactText(m_memo).toStdString()))
            showNoCompanyRow(this);
    } catch (const std::exception& e) {
        forms::showError(this, e);
    }
}

void Navigation::CancelBttn2_Click()
{
    if (m_locked)
        return;
    loadBoard();
}

} // namespace app
