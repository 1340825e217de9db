// The voucher form: its controls, the new and the opened voucher, browsing,
// the save with its checks and single transaction, posting, cancelling and deleting.
#include "vouchers/voucher_form.h"

#include <algorithm>
#include <utility>

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QColor>
#include <QComboBox>
#include <QDateEdit>
#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

#include "accounts/voucher_line_grid.h"
#include "main/parent.h"
#include "main/window_catalog.h"
#include "platform/data/database.h"
#include "platform/forms/date_picker.h"
#include "platform/forms/data_grid.h"
#include "platform/forms/length_limit.h"
#include "platform/forms/loaded_text.h"
#include "platform/forms/messages.h"
#include "platform/forms/name_list.h"
#include "platform/forms/select_all_text.h"
#include "platform/shell/environment.h"
#include "reports/vouchers/voucher_query.h"
#include "vouchers/amount_in_words.h"
#include "vouchers/voucher_printing.h"

namespace vouchers {
namespace {

// Design size of the client area: 14,880 by 9,525 twips.
constexpr int kWidthTwips = 14880;
constexpr int kHeightTwips = 9525;
constexpr int kDescLength = 250;
constexpr int kPrintDelayMs = 1000;

const QString kRecordNotFound = QStringLiteral("Record Not Found");

void notFound(QWidget* form)
{
    forms::inform(form, kRecordNotFound,
                  QStringLiteral("Last saved record not found. You may have deleted it or you may not have "
                                 "saved any record yet."));
}

QPushButton* button(QWidget* parent, const char* name, const char* caption, const char* tip = nullptr)
{
    auto* b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(QLatin1String(name));
    if (tip)
        b->setToolTip(QString::fromUtf8(tip));
    b->setAutoDefault(false);
    return b;
}

accounts::LineGridParams gridParams(const KindTexts& texts)
{
    accounts::LineGridParams p = accounts::voucherFormGrid();
    p.accountsCaption = QString::fromUtf8(texts.chartButton);
    return p;
}

} // namespace

QWidget* makeVoucherForm(app::Parent& main, const app::VoucherKind& kind)
{
    return new VoucherForm(main, kind);
}

VoucherForm::VoucherForm(app::Parent& main, const app::VoucherKind& kind, QWidget* parent)
    : QWidget(parent), m_main{main}, m_kind{kind}, m_kindYear{kind.tranType, main.FYID}
{
    const KindTexts& texts = kindTexts(kind.tranType);
    setObjectName(QLatin1String(kind.form));
    setWindowTitle(QString::fromUtf8(texts.caption));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(forms::twipsToPixels(kWidthTwips), forms::twipsToPixels(kHeightTwips));

    m_label2 = new QLabel(QString::fromUtf8(texts.heading), this);
    m_label2->setObjectName(QStringLiteral("Label2"));
    QFont headingFont = m_label2->font();
    headingFont.setBold(true);
    headingFont.setPointSize(headingFont.pointSize() + 6);
    m_label2->setFont(headingFont);
    m_label2->setAlignment(Qt::AlignCenter);

    m_tranNoBox = new QLineEdit(this);
    m_tranNoBox->setObjectName(QStringLiteral("TranNo"));
    m_tranNoBox->setReadOnly(true);
    m_tranNoBox->hide();

    m_docNoBox = new QLineEdit(this);
    m_docNoBox->setObjectName(QStringLiteral("DocNo"));
    // Typing and pasting alike take digits only (DocNo_KeyPress); the save
    // still reads the text strictly, whatever reached the box.
    m_docNoBox->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,10}")), m_docNoBox));
    forms::limitLength(m_docNoBox, kDocNoDigits);
    forms::selectAllOnFocus(m_docNoBox);

    m_trDate = forms::makeDatePicker(this, "TrDate");

    m_desc = new QLineEdit(this);
    m_desc->setObjectName(QStringLiteral("Desc"));
    forms::limitLength(m_desc, kDescLength);
    forms::selectAllOnFocus(m_desc);

    m_jobList = new forms::NameList(this, "JobList", forms::NameList::Typing::FillIn);
    m_jobList->setMinimumWidth(320);
    // Once the user touches the job box, a completed job is no longer kept.
    connect(m_jobList->lineEdit(), &QLineEdit::textEdited, this, [this] { m_keptJobId = 0; });
    connect(m_jobList, &QComboBox::activated, this, [this] { m_keptJobId = 0; });

    m_postOpt = new QCheckBox(QStringLiteral("Posted "), this);
    m_postOpt->setObjectName(QStringLiteral("PostOpt"));
    m_postOpt->hide();
    connect(m_postOpt, &QCheckBox::toggled, this, &VoucherForm::PostOpt_Click);
    m_postBttn = button(this, "PostBttn", "Post Voucher");
    connect(m_postBttn, &QPushButton::clicked, this, &VoucherForm::PostBttn_Click);
    m_postPic = new QLabel(QStringLiteral("POSTED"), this);
    m_postPic->setObjectName(QStringLiteral("PostPic"));
    m_postPic->setStyleSheet(QStringLiteral("QLabel { color: rgb(0, 128, 0); border: 3px solid rgb(0, 128, 0);"
                                            " font-weight: bold; padding: 2px 8px; }"));
    m_postPic->hide();

    m_cancelOption = new QCheckBox(QStringLiteral("Cancel "), this);
    m_cancelOption->setObjectName(QStringLiteral("CancelOption"));
    connect(m_cancelOption, &QCheckBox::toggled, this, &VoucherForm::CancelOption_Click);

    accounts::LineGridParams params = gridParams(texts);
    params.totals = [this] { ShowTotals(); };
    m_lines = new accounts::VoucherLineGrid(main, std::move(params), this);
    m_lines->setObjectName(QStringLiteral("LineGrid"));
    m_lines->setMinimumSize(forms::twipsToPixels(13935), forms::twipsToPixels(5085));

    auto* wordsCaption = new QLabel(QStringLiteral("Amount in Words:"), this);
    wordsCaption->setObjectName(QStringLiteral("AmtWordsCaption"));
    m_amtWords = new QLabel(this);
    m_amtWords->setObjectName(QStringLiteral("AmtWords"));
    m_amtWords->setWordWrap(true);

    m_prevBttn = button(this, "PrevBttn", "<<", "Previous Record");
    m_nextBttn = button(this, "NextBttn", ">>", "Next Record");
    m_addBttn = button(this, "AddBttn", "New");
    m_saveBttn = button(this, "SaveBttn", "Save", "CTRL+S");
    m_cancelBttn = button(this, "CancelBttn", "Cancel");
    m_delBttn = button(this, "DelBttn", "Delete");
    m_editBttn = button(this, "EditBttn", "Find");
    m_retBttn = button(this, "RetBttn", "Last");
    m_printBill = button(this, "PrintBill", "Print");
    m_printTimer = new QTimer(this);
    m_printTimer->setObjectName(QStringLiteral("PrintTimer"));
    m_printTimer->setSingleShot(true);
    m_printTimer->setInterval(kPrintDelayMs);
    connect(m_printTimer, &QTimer::timeout, this, &VoucherForm::PrintTimer_Timer);
    connect(m_prevBttn, &QPushButton::clicked, this, &VoucherForm::PrevBttn_Click);
    connect(m_nextBttn, &QPushButton::clicked, this, &VoucherForm::NextBttn_Click);
    connect(m_addBttn, &QPushButton::clicked, this, &VoucherForm::AddBttn_Click);
    connect(m_saveBttn, &QPushButton::clicked, this, &VoucherForm::SaveBttn_Click);
    connect(m_cancelBttn, &QPushButton::clicked, this, &VoucherForm::CancelBttn_Click);
    connect(m_delBttn, &QPushButton::clicked, this, &VoucherForm::DelBttn_Click);
    connect(m_editBttn, &QPushButton::clicked, this, &VoucherForm::EditBttn_Click);
    connect(m_retBttn, &QPushButton::clicked, this, &VoucherForm::RetBttn_Click);
    connect(m_printBill, &QPushButton::clicked, this, &VoucherForm::PrintBill_Click);

    auto* header = new QGridLayout;
    header->addWidget(new QLabel(QStringLiteral("Serial No"), this), 0, 0);
    header->addWidget(m_docNoBox, 0, 1);
    header->addWidget(new QLabel(QStringLiteral("Date"), this), 0, 2);
    header->addWidget(m_trDate, 0, 3);
    header->addWidget(m_postPic, 0, 5, Qt::AlignRight);
    header->addWidget(new QLabel(QStringLiteral("Description"), this), 1, 0);
    header->addWidget(m_desc, 1, 1, 1, 5);
    auto* jobLabel = new QLabel(QStringLiteral("Job No && Description "), this);
    jobLabel->setBuddy(m_jobList);
    header->addWidget(jobLabel, 2, 0);
    header->addWidget(m_jobList, 2, 1, 1, 3);
    header->addWidget(m_cancelOption, 2, 4);
    header->addWidget(m_postBttn, 2, 5);
    header->setColumnStretch(4, 1);

    auto* words = new QHBoxLayout;
    words->addWidget(wordsCaption);
    words->addWidget(m_amtWords, 1);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {m_prevBttn, m_nextBttn, m_addBttn, m_saveBttn, m_cancelBttn, m_delBttn, m_editBttn,
                           m_retBttn, m_printBill})
        buttons->addWidget(b);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_label2);
    layout->addLayout(header);
    layout->addWidget(m_lines, 1);
    layout->addLayout(words);
    layout->addLayout(buttons);

    // The form sees every key before its controls, the grid's cell editors included.
    qApp->installEventFilter(this);

    Form_Load();
}

VoucherForm::~VoucherForm() = default;

void VoucherForm::Form_Load()
{
    try {
        m_jobs = openJobs(*m_main.Pelkconn);
    } catch (const std::exception& e) {
        forms::showError(this, e);
        m_jobs.clear();
    }
    m_jobList->clear();
    for (const Job& job : m_jobs)
        m_jobList->addItem(QString::fromStdString(job.text), QVariant::fromValue<qlonglong>(job.jobId));
    m_curTranNo = 0;

    NewVoucher();

    if (m_main.LOpen) {
        // Taken and cleared at once, found or not: a hand-over is read once, so
        // a stale one can never open a voucher in a form loaded later.
        const std::int64_t handed = m_main.LedgerRef;
        m_main.LOpen = false;
        if (openVoucher(handed))
            m_curTranNo = handed;
    }
}

void VoucherForm::Form_Unload()
{
    // A hand-over still pending names no voucher once LedgerRef is 0: it ends
    // here, so the next voucher form to load opens a new voucher instead of
    // finding nothing.
    m_main.LedgerRef = 0;
    m_main.LOpen = false;
}


void VoucherForm::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    event->accept();
}

bool VoucherForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    auto* w = static_cast<QWidget*>(watched);
    if (w != this && !isAncestorOf(w))
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (!Form_KeyDown(key->key(), key->modifiers() & ~Qt::KeypadModifier))
        return false;
    key->accept();
    return true;   // ends the key here, so the parents it would travel on to never see it again
}

bool VoucherForm::Form_KeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    if (key != Qt::Key_S || modifiers != Qt::ControlModifier)
        return false;
    SaveBttn_Click();
    return true;
}

void VoucherForm::NewVoucher()
{
    m_adding = true;
    m_tranNo = 0;
    m_docNo = 0;
    m_keptJobId = 0;
    m_tranNoBox->clear();

    std::vector<accounts::SubTranRow> blank(kVoucherRows);
    m_lines->setLines(std::move(blank));

    m_docNoBox->clear();
    m_docNoBox->setPlaceholderText(QString());
    m_docNoBox->setToolTip(QString());
    try {
        const auto highest = highestDocNo(*m_main.Pelkconn, m_kindYear);
        if (const auto next = proposeDocNo(highest)) {
            m_docNoBox->setText(QString::number(*next));
        } else {
            // Said in the box itself: a box on every new voucher would be in the way.
            m_docNoBox->setPlaceholderText(QStringLiteral("type a free number"));
            m_docNoBox->setToolTip(QStringLiteral("No number is proposed: the highest number of this kind, %1, is "
                                                  "the largest the box holds. Type a number not yet used.")
                                       .arg(highest.value_or(0)));
        }
    } catch (const std::exception& e) {
        forms::showError(this, e);   // the user can still type a number
    }

    m_trDate->setDate(shell::today());
    m_desc->clear();
    m_jobList->setCurrentIndex(-1);
    m_jobList->setEditText(QString());
    m_cancelOption->setChecked(false);
    CancelOption_Click();
    setPosted(m_main.AutoPost);

    ShowTotals();
    m_lines->setEnabled(true);
    setButtonsEnabled(true);
}

void VoucherForm::setButtonsEnabled(bool on)
{
    if (auto* ca = m_lines->findChild<QPushButton*>(QStringLiteral("CA")))
        ca->setEnabled(on);
    for (QPushButton* b : {m_addBttn, m_saveBttn, m_cancelBttn, m_delBttn, m_retBttn, m_printBill})
        b->setEnabled(on);
    m_editBttn->setEnabled(on && app::findWindow(QString::fromUtf8(kindTexts(m_kind.tranType).searchWindow)));
    // Enabled exactly when the user may post vouchers of the kind; the silent
    // look-up, since this is no action the user asked for.
    m_postBttn->setEnabled(on && !m_main.isRefused(m_kind.postRight()));
}

void VoucherForm::setPosted(bool posted)
{
    const QSignalBlocker block(m_postOpt);
    m_postOpt->setChecked(posted);
    PostOpt_Click();
}

bool VoucherForm::openVoucher(std::int64_t tranNo)
{
    std::optional<StoredVoucher> v;
    try {
        v = loadVoucher(*m_main.Pelkconn, m_kindYear, tranNo);
    } catch (const std::exception& e) {
        forms::showError(this, e);
        return false;
    }
    if (!v) {
        notFound(this);
        return false;
    }
    // Everything is read; from here on nothing can fail half-way.
    m_adding = false;
    m_tranNo = v->tranNo;
    m_docNo = v->docNo;
    m_tranNoBox->setText(QString::number(v->tranNo));
    m_docNoBox->setText(QString::number(v->docNo));
    m_trDate->setDate(v->date);
    forms::setLoadedText(m_desc, QString::fromStdString(v->desc));

    const auto job = std::find_if(m_jobs.begin(), m_jobs.end(), [&](const Job& j) { return j.jobId == v->jobId; });
    if (job != m_jobs.end()) {
        m_jobList->setCurrentIndex(static_cast<int>(job - m_jobs.begin()));
        forms::showStart(m_jobList->lineEdit());
        m_keptJobId = 0;
    } else {
        m_jobList->setCurrentIndex(-1);
        m_jobList->setEditText(QString());
        m_keptJobId = v->jobId;   // a completed job: not listed, but kept
    }

    m_cancelOption->setChecked(v->cancelled);
    CancelOption_Click();
    setPosted(v->posted);

    std::vector<accounts::SubTranRow> rows = std::move(v->lines);
    if (rows.size() < kVoucherRows)
        rows.resize(kVoucherRows);
    m_lines->setLines(std::move(rows));
    ShowTotals();
    m_opened = shown();
    return true;
}

ShownVoucher VoucherForm::shown() const
{
    return {m_docNoBox->text(),         m_trDate->date(),           m_desc->text(),
            m_jobList->currentText(),   m_cancelOption->isChecked(), m_postOpt->isChecked(),
            m_lines->lines(),           chosenJobId()};
}

std::int64_t VoucherForm::chosenJobId() const
{
    // Jobs may share a text, so the entry chosen is told by its id.
    const int row = m_jobList->currentIndex();
    return row >= 0 ? m_jobList->itemData(row).toLongLong() : 0;
}

void VoucherForm::EditingRecord(std::int32_t tranNo)
{
    m_main.LOpen = false;
    // Handed over while the print waits: the timer still prints the saved
    // voucher, but must not replace this one with a new voucher afterwards.
    if (openVoucher(tranNo) && m_printTimer->isActive())
        m_handedDuringPrint = true;
}

bool VoucherForm::kindHasVouchers()
{
    try {
        return hasVouchers(*m_main.Pelkconn, m_kindYear);
    } catch (const std::exception& e) {
        forms::showError(this, e);
        return false;
    }
}

void VoucherForm::browseTo(Step step)
{
    // Browsing reads neighbours by number from the index instead of holding the
    // year's list, so it costs the same in a large book. The voucher shown is
    // this form's own: LedgerRef and LOpen are for hand-overs between windows.
    std::optional<std::int64_t> target;
    try {
        target = browse(*m_main.Pelkconn, m_kindYear, step, m_docNo);
        if (!target)   // at an end: stay on the first or the last
            target = browse(*m_main.Pelkconn, m_kindYear, step == Step::Previous ? Step::First : Step::Last);
    } catch (const std::exception& e) {
        forms::showError(this, e);
        return;
    }
    if (target)
        openVoucher(*target);
}

void VoucherForm::PrevBttn_Click()
{
    if (!kindHasVouchers() || !m_main.CheckRight(m_kind.browseRight()))
        return;
    browseTo(m_adding ? Step::Last : Step::Previous);
}

void VoucherForm::NextBttn_Click()
{
    if (!kindHasVouchers() || !m_main.CheckRight(m_kind.browseRight()))
        return;
    if (m_adding) {
        forms::inform(this, QStringLiteral("Last Record"), QStringLiteral("You have aleady been on the last record."));
        return;
    }
    browseTo(Step::Next);
}

void VoucherForm::AddBttn_Click()
{
    if (m_adding) {
        forms::inform(this, QStringLiteral("Cannot Add"),
                      QStringLiteral("You have already been adding a new record. To clear the changes, click on "
                                     "CANCEL button."));
        return;
    }
    NewVoucher();
}

void VoucherForm::CancelBttn_Click()
{
    if (m_adding)
        NewVoucher();
    else
        openVoucher(m_tranNo);
}

void VoucherForm::RetBttn_Click()
{
    if (!kindHasVouchers())
        return;
    openVoucher(m_curTranNo);
}

void VoucherForm::EditBttn_Click()
{
    m_main.openWindow(QString::fromUtf8(kindTexts(m_kind.tranType).searchWindow), true);
}

void VoucherForm::SaveBttn_Click()
{
    if (!m_saveBttn->isEnabled())
        return;
    // A cell still being typed into counts as the user sees it.
    m_lines->grid()->commitEdit();
    m_afterSave = AfterSave::NewVoucher;
    switch (saveStart(m_adding, m_postOpt->isChecked(), m_postBttn->isEnabled(), m_main.AutoPost)) {
    case SaveStart::Save:
        ValidateAndSave();
        return;
    case SaveStart::AskToUnpost:
        if (forms::askBeforeDestroying(this, QStringLiteral("Save Confirmation"), unpostQuestion())
            != forms::Answer::Yes)
            return;
        setPosted(false);
        ValidateAndSave();
        return;
    }
}

void VoucherForm::ValidateAndSave()
{
    SaveRequest request;
    request.docNo = parseDocNo(m_docNoBox->text().toStdString());
    try {
        if (request.docNo)
            request.docNoTaken = docNoTaken(*m_main.Pelkconn, m_kindYear, *request.docNo, m_adding ? 0 : m_tranNo);
    } catch (const std::exception& e) {
        forms::showError(this, e);
        return;
    }
    request.date = m_trDate->date();
    request.yearStart = m_main.FYStart;
    request.yearEnd = m_main.FYEnd;
    const auto jobId = jobIdFor(m_jobList->currentText().toStdString(), m_jobs, m_keptJobId, chosenJobId());
    request.jobKnown = jobId.has_value();
    request.totals = accounts::totalsOf(m_lines->lines());
    if (const auto problem = checkSave(request)) {
        forms::showFailure(this, *problem);
        return;
    }
    // A line whose account was deleted meanwhile is named, and nothing is
    // written, rather than the save failing on the chart's key.
    try {
        if (m_lines->refuseLineOffChart())
            return;
    } catch (const std::exception& e) {
        forms::showError(this, e);
        return;
    }
    if (!WriteVoucher(*request.docNo, *jobId, request.totals->debit))
        return;
    if (m_afterSave == AfterSave::Print) {
        m_savedTranNo = m_curTranNo;
        m_printTimer->start();   // the buttons stay disabled until the print ends
        return;
    }
    NewVoucher();
}

void VoucherForm::PrintBill_Click()
{
    if (!m_printBill->isEnabled())
        return;
    m_lines->grid()->commitEdit();
    m_afterSave = AfterSave::Print;
    switch (printStart(m_adding, shown() != m_opened, m_postOpt->isChecked(), m_postBttn->isEnabled(),
                       m_main.AutoPost)) {
    case PrintStart::PrintAsStored:
        m_savedTranNo = m_tranNo;
        setButtonsEnabled(false);
        m_lines->setEnabled(false);
        m_printTimer->start();
        return;
    case PrintStart::SaveFirst:
        ValidateAndSave();
        return;
    case PrintStart::AskToUnpost:
        if (forms::askBeforeDestroying(this, QStringLiteral("Save Confirmation"), unpostQuestion())
            != forms::Answer::Yes) {
            openVoucher(m_tranNo);   // drops the unsaved changes; nothing is saved or printed
            return;
        }
        setPosted(false);
        ValidateAndSave();
        return;
    }
}

void VoucherForm::PrintTimer_Timer()
{
    m_printTimer->stop();
    const std::int64_t tranNo = m_savedTranNo;
    printVouchers(m_main, this, m_kind.tranType, [this, tranNo](platform::Database& db) {
        return reports::openVoucherPrint(db, m_main.CurrencyName, tranNo);
    }, QStringLiteral("This voucher is no longer in the book; it may have been deleted in another window."));
    if (std::exchange(m_handedDuringPrint, false)) {
        m_lines->setEnabled(true);
        setButtonsEnabled(true);
        return;
    }
    NewVoucher();
}

bool VoucherForm::WriteVoucher(std::int64_t docNo, std::int64_t jobId, platform::Money debitTotal)
{
    setButtonsEnabled(false);
    m_lines->setEnabled(false);
    const auto restore = [this] {
        m_lines->setEnabled(true);
        setButtonsEnabled(true);
    };

    VoucherHeader header;
    header.docNo = docNo;
    header.date = m_trDate->date();
    header.desc = m_desc->text().toStdString();
    header.amount = debitTotal;
    header.words = storedWords(debitTotal).value_or(std::string{});   // checked by checkSave
    header.jobId = jobId;
    header.user = m_main.PelkUser;
    header.when = shell::now();
    header.cancelled = m_cancelOption->isChecked();
    header.posted = m_postOpt->isChecked();
    const auto lines = linesToStore(m_lines->lines(), m_desc->text());

    std::int64_t tranNo = m_tranNo;
    try {
        platform::Transaction tx{*m_main.Pelkconn};
        if (m_adding) {
            tranNo = insertVoucher(tx, m_kindYear, header, lines);
        } else if (!updateVoucher(tx, m_kindYear, m_tranNo, header, lines)) {
            forms::inform(this, QStringLiteral("Cannot Save"),
                          QStringLiteral("This voucher is no longer in the book; it may have been deleted in "
                                         "another window."));
            restore();
            return false;
        }
        tx.commit();
    } catch (const std::exception& e) {
        // The transaction has rolled back: no header without its lines, and the
        // screen keeps what the user typed.
        forms::showError(this, e);
        restore();
        return false;
    }
    m_curTranNo = tranNo;
    return true;
}

void VoucherForm::PostBttn_Click()
{
    m_postOpt->setChecked(!m_postOpt->isChecked());
}

void VoucherForm::PostOpt_Click()
{
    const bool posted = m_postOpt->isChecked();
    m_postBttn->setText(posted ? QStringLiteral("Un-Post Voucher") : QStringLiteral("Post Voucher"));
    m_postPic->setVisible(posted);
}

void VoucherForm::CancelOption_Click()
{
    const bool cancelled = m_cancelOption->isChecked();
    QPalette palette = m_cancelOption->palette();
    palette.setColor(QPalette::WindowText, cancelled ? QColor(255, 0, 0) : QColor(64, 64, 64));
    m_cancelOption->setPalette(palette);
    QFont font = m_cancelOption->font();
    font.setBold(cancelled);
    m_cancelOption->setFont(font);
}

void VoucherForm::DelBttn_Click()
{
    if (!m_main.CheckRight(m_kind.deleteRight()))
        return;
    bool open = false;
    try {
        open = !m_adding && voucherExists(*m_main.Pelkconn, m_kindYear, m_tranNo);
    } catch (const std::exception& e) {
        forms::showError(this, e);
        return;
    }
    if (const auto problem = checkDelete(m_adding, open)) {
        forms::showFailure(this, *problem);
        return;
    }
    if (forms::askBeforeDestroying(this, QStringLiteral("Delete Confirmation"), deleteQuestion(m_docNo))
        != forms::Answer::Yes)
        return;
    try {
        platform::Transaction tx{*m_main.Pelkconn};
        const bool deleted = deleteVoucher(tx, m_kindYear, m_tranNo);
        tx.commit();
        if (!deleted) {
            forms::showFailure(this, *checkDelete(false, false));
            return;
        }
    } catch (const std::exception& e) {
        forms::showError(this, e);
        return;
    }
    NewVoucher();
}

void VoucherForm::ShowTotals()
{
    // The grid may have lost rows to the Delete key; the form always offers its full set.
    if (m_lines->lines().size() < kVoucherRows)
        m_lines->addBlankRows(kVoucherRows - m_lines->lines().size());
    m_lines->TotalValue();
    const auto totals = accounts::totalsOf(m_lines->lines());
    m_amtWords->setText(totals ? wordsLine(m_main.CurrencyName, totals->debit)
                               : m_main.CurrencyName + QLatin1Char(' ') + QLatin1String(kWordsError)
                                     + QStringLiteral(" only."));
}

} // namespace vouchers
