// The voucher search window: its controls, the criteria and "FInd", the grid
// over the listed keys whose rows are read as they are shown, sorting, and the
// hand-over of the chosen voucher to the kind's voucher form.
#include "vouchers/voucher_search.h"

#include <cassert>
#include <map>
#include <memory>
#include <optional>

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "main/parent.h"
#include "platform/data/database.h"
#include "platform/forms/data_grid.h"
#include "platform/forms/date_picker.h"
#include "platform/forms/fit_text.h"
#include "platform/forms/length_limit.h"
#include "platform/forms/loaded_text.h"
#include "platform/forms/list_model.h"
#include "platform/forms/messages.h"
#include "platform/forms/window_host.h"
#include "platform/shell/environment.h"
#include "platform/text/formats.h"
#include "vouchers/voucher_search_store.h"

namespace vouchers {

// The grid's rows: the listed keys in the order shown, and the details of the
// rows drawn so far, read a page at a time, so that a year of vouchers opens
// as fast as a handful.
class VoucherSearchModel : public forms::ListModel {
public:
    enum Column { DocNo, TranDate, Desc, TrAmount, Posted, Cancel };

    // The captions keep their leading blanks, which centre them over the columns.
    VoucherSearchModel(platform::Database& db, QObject* parent)
        : forms::ListModel({QStringLiteral("   Voucher No."), QStringLiteral("      Date"),
                            QStringLiteral("Description"), QStringLiteral("        Amount"),
                            QStringLiteral("         Posted"), QStringLiteral("         Status")},
                           parent)
        , m_db(db)
    {
    }

    // Shows `rows` in place of what the model showed.
    void setRows(std::vector<ListedVoucher> rows)
    {
        beginResetModel();
        m_rows = std::move(rows);
        m_pages.clear();
        endResetModel();
    }
    void sort(SearchOrder order)
    {
        beginResetModel();
        sortListed(m_rows, order);
        m_pages.clear();
        endResetModel();
    }
    // Forgets the list and the open statement.
    void release()
    {
        setRows({});
        m_reader.reset();
    }
    const std::vector<ListedVoucher>& rows() const { return m_rows; }

    // The details of row `row`; for a voucher deleted since it was listed, what
    // the list knows of it. A database failure reads as that too: a grid cell
    // is no place for a message box, and the next "FInd" tells it.
    VoucherDetails details(int row) const
    {
        const ListedVoucher& listed = m_rows[static_cast<std::size_t>(row)];
        const int page = row / kPageRows;
        auto found = m_pages.find(page);
        if (found == m_pages.end()) {
            if (m_pages.size() >= kKeptPages)
                m_pages.clear();
            found = m_pages.emplace(page, readPage(page)).first;
        }
        if (const auto& d = found->second[static_cast<std::size_t>(row - page * kPageRows)])
            return *d;
        VoucherDetails d;
        d.tranNo = listed.tranNo;
        d.docNo = listed.docNo;
        d.date = platform::parseIsoDate(listed.date).value_or(QDate{});
        return d;
    }

    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || role != Qt::DisplayRole)
            return {};
        const VoucherDetails d = details(index.row());
        switch (index.column()) {
        case DocNo:
            return QString::number(d.docNo);
        case TranDate:
            return platform::formatDate(d.date, "dd-MM-yyyy");
        case Desc:
            return QString::fromStdString(d.desc);
        case TrAmount:
            return platform::formatMoneyQ(d.amount, "0.00;(0.00)");
        case Posted:
            return d.posted ? QStringLiteral("Posted") : QString();
        case Cancel:
            return d.cancelled ? QStringLiteral("Cancelled") : QString();
        default:
            return {};
        }
    }

private:
    static constexpr int kPageRows = 100;
    static constexpr std::size_t kKeptPages = 50;

    using Page = std::vector<std::optional<VoucherDetails>>;

    Page readPage(int page) const
    {
        const std::size_t first = static_cast<std::size_t>(page) * kPageRows;
        const std::size_t last = std::min(m_rows.size(), first + kPageRows);
        Page rows(last - first);
        try {
            if (!m_reader)
                m_reader = std::make_unique<VoucherDetailsReader>(m_db);
            for (std::size_t i = first; i < last; ++i)
                rows[i - first] = m_reader->read(m_rows[i].tranNo);
        } catch (const platform::DbError&) {
            // Shown as the list knows the rows; see details().
        }
        return rows;
    }

    platform::Database& m_db;
    std::vector<ListedVoucher> m_rows;
    mutable std::map<int, Page> m_pages;
    mutable std::unique_ptr<VoucherDetailsReader> m_reader;
};

namespace {

constexpr int kCriterionLength = 250;

template <typename W>
W* named(W* w, const char* name)
{
    w->setObjectName(QLatin1String(name));
    return w;
}

QLineEdit* readOnlyBox(QWidget* parent, const char* name)
{
    auto* box = named(new QLineEdit(parent), name);
    box->setReadOnly(true);
    return box;
}

// A stored date-time "YYYY-MM-DD HH:MM:SS" shown as the grid shows dates, with its time.
QString shownTime(const std::string& stored)
{
    const auto date = platform::parseIsoDate(stored);
    if (!date)
        return QString::fromStdString(stored);
    QString text = platform::formatDate(*date, "dd-MM-yyyy");
    if (stored.size() > 11)
        text += QLatin1Char(' ') + QString::fromStdString(stored.substr(11));
    return text;
}

} // namespace

VoucherSearch::VoucherSearch(app::Parent& main, const app::VoucherKind& kind, QWidget* parent)
    : QDialog(parent)
    , m_main(main)
    , m_kind(kind)
    , m_kindYear{kind.tranType, main.FYID}
{
    assert(main.Pelkconn);
    const SearchTexts& texts = searchTexts(kind.tranType);
    setObjectName(QString::fromUtf8(texts.window));
    setWindowTitle(QString::fromUtf8(texts.caption));
    buildControls();
    Form_Load();
}

VoucherSearch::~VoucherSearch()
{
    Form_Unload();
}

void VoucherSearch::buildControls()
{
    const SearchTexts& texts = searchTexts(m_kind.tranType);
    auto* heading = named(new QLabel(QString::fromUtf8(texts.heading), this), "Label2");
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    headingFont.setPointSize(headingFont.pointSize() + 4);
    heading->setFont(headingFont);

    m_model = new VoucherSearchModel(*m_main.Pelkconn, this);
    m_grid = named(new forms::DataGrid(this), "TranGrid");
    m_grid->setModel(m_model);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setSortingEnabled(false);
    m_grid->verticalHeader()->hide();
    // Fixed row heights: a year of vouchers shows without measuring each row.
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->horizontalHeader()->setSectionResizeMode(VoucherSearchModel::Desc, QHeaderView::Stretch);
    m_grid->horizontalHeader()->setSectionsClickable(true);
    forms::fitColumn(m_grid, VoucherSearchModel::DocNo, 95);
    forms::fitColumn(m_grid, VoucherSearchModel::TranDate, 90);
    forms::fitColumn(m_grid, VoucherSearchModel::TrAmount, forms::kSizedAmount);
    forms::fitColumn(m_grid, VoucherSearchModel::Posted, 90);
    forms::fitColumn(m_grid, VoucherSearchModel::Cancel, 90);
    forms::showFiguresWhole(m_grid, {VoucherSearchModel::DocNo, VoucherSearchModel::TranDate,
                                     VoucherSearchModel::TrAmount});
    forms::DataGrid::Hooks hooks;
    hooks.dblClick = [this] { TranGrid_DblClick(); };
    hooks.keyPress = [this](QChar& c) { TranGrid_KeyPress(c); };
    hooks.rowColChange = [this](int, int) { showCurrent(); };
    m_grid->setHooks(std::move(hooks));
    connect(m_grid->horizontalHeader(), &QHeaderView::sectionClicked, this, &VoucherSearch::TranGrid_HeadClick);
    // A reset (a new list or a sort) leaves no current cell: show the empty boxes.
    connect(m_model, &QAbstractItemModel::modelReset, this, &VoucherSearch::showCurrent);

    m_tranNo = readOnlyBox(this, "TranNo");
    m_tranNo->hide();
    m_chqBank = readOnlyBox(this, "ChqBank");
    m_text2 = readOnlyBox(this, "Text2");
    m_text1 = readOnlyBox(this, "Text1");
    m_text3 = readOnlyBox(this, "Text3");
    auto* users = new QGridLayout;
    users->addWidget(new QLabel(QStringLiteral("Added By User"), this), 0, 0);
    users->addWidget(m_chqBank, 0, 1);
    users->addWidget(new QLabel(QStringLiteral("On "), this), 0, 2);
    users->addWidget(m_text2, 0, 3);
    users->addWidget(new QLabel(QStringLiteral("Edited By User"), this), 1, 0);
    users->addWidget(m_text1, 1, 1);
    users->addWidget(new QLabel(QStringLiteral("On "), this), 1, 2);
    users->addWidget(m_text3, 1, 3);

    static const char* const options[6] = {"Voucher No.", "Period From", "Description",
                                           "Posted Status", "Cancel Status", "Amount"};
    for (int i = 0; i < 6; ++i) {
        m_selectOpt[static_cast<std::size_t>(i)] =
            named(new QCheckBox(QString::fromUtf8(options[i]), this), ("SelectOpt" + std::to_string(i)).c_str());
        connect(m_selectOpt[static_cast<std::size_t>(i)], &QCheckBox::toggled, this, [this, i] { SelectOpt_Click(i); });
    }
    m_voucherNo = named(new QLineEdit(this), "VoucherNo");
    m_dt[0] = forms::makeDatePicker(this, "Dt0");
    m_dt[1] = forms::makeDatePicker(this, "Dt1");
    m_desc = named(new QLineEdit(this), "Desc");
    m_amtBox = named(new QLineEdit(this), "AmtBox");
    for (QLineEdit* box : {m_voucherNo, m_desc, m_amtBox})
        forms::limitLength(box, kCriterionLength);
    m_postList = named(new QComboBox(this), "PostList");
    m_postList->addItems({QStringLiteral("Posted"), QStringLiteral("Un-Posted")});
    m_cancelList = named(new QComboBox(this), "CancelList");
    m_cancelList->addItems({QStringLiteral("Valid"), QStringLiteral("Cancelled")});
    m_findBttn = named(new QPushButton(QStringLiteral("FInd"), this), "FindBttn");
    connect(m_findBttn, &QPushButton::clicked, this, &VoucherSearch::FindBttn_Click);
    auto* hint = named(new QLabel(QStringLiteral("Click on column header to sort by voucher no. or date."), this),
                       "Label3");

    auto* criteria = new QGridLayout;
    criteria->addWidget(m_selectOpt[0], 0, 0);
    criteria->addWidget(m_voucherNo, 0, 1);
    criteria->addWidget(m_selectOpt[1], 0, 2);
    auto* period = new QHBoxLayout;
    period->addWidget(m_dt[0]);
    period->addWidget(new QLabel(QStringLiteral("To"), this));
    period->addWidget(m_dt[1]);
    criteria->addLayout(period, 0, 3);
    criteria->addWidget(m_selectOpt[2], 1, 0);
    criteria->addWidget(m_desc, 1, 1, 1, 3);
    criteria->addWidget(m_selectOpt[3], 2, 0);
    criteria->addWidget(m_postList, 2, 1);
    criteria->addWidget(m_selectOpt[4], 2, 2);
    criteria->addWidget(m_cancelList, 2, 3);
    criteria->addWidget(m_selectOpt[5], 3, 0);
    criteria->addWidget(m_amtBox, 3, 1);
    criteria->addWidget(m_findBttn, 3, 3, Qt::AlignRight);
    criteria->setColumnStretch(1, 1);
    criteria->setColumnStretch(3, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(m_grid, 1);
    layout->addLayout(users);
    layout->addWidget(hint);
    layout->addLayout(criteria);
    resize(880, 620);
}

void VoucherSearch::Form_Load()
{
    const QDate today = shell::today();
    for (QDateEdit* d : m_dt)
        d->setDate(today);
    m_postList->setCurrentIndex(1);     // "Un-Posted"
    m_cancelList->setCurrentIndex(1);   // "Cancelled"
    for (std::size_t i = 0; i < m_selectOpt.size(); ++i) {
        m_selectOpt[i]->setChecked(false);
        SelectOpt_Click(static_cast<int>(i));
    }
    try {
        showList(listVouchers(*m_main.Pelkconn, m_kindYear, {}));
    } catch (const std::exception& e) {
        showList({});
        forms::showError(this, e);
    }
}

void VoucherSearch::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    m_model->release();
}

void VoucherSearch::done(int result)
{
    Form_Unload();
    QDialog::done(result);
}

void VoucherSearch::SelectOpt_Click(int index)
{
    if (index < 0 || index >= static_cast<int>(m_selectOpt.size()))
        return;
    const bool on = m_selectOpt[static_cast<std::size_t>(index)]->isChecked();
    switch (index) {
    case 0:
        m_voucherNo->setEnabled(on);
        break;
    case 1:
        m_dt[0]->setEnabled(on);
        m_dt[1]->setEnabled(on);
        break;
    case 2:
        m_desc->setEnabled(on);
        break;
    case 3:
        m_postList->setEnabled(on);
        break;
    case 4:
        m_cancelList->setEnabled(on);
        break;
    case 5:
        m_amtBox->setEnabled(on);
        break;
    }
}

void VoucherSearch::FindBttn_Click()
{
    SearchInput in;
    in.byDocNo = m_selectOpt[0]->isChecked();
    in.docNo = m_voucherNo->text().toStdString();
    in.byPeriod = m_selectOpt[1]->isChecked();
    in.from = m_dt[0]->date();
    in.to = m_dt[1]->date();
    in.byDesc = m_selectOpt[2]->isChecked();
    in.desc = m_desc->text();
    in.byPosted = m_selectOpt[3]->isChecked();
    in.posted = m_postList->currentIndex() == 0;
    in.byCancel = m_selectOpt[4]->isChecked();
    in.cancelled = m_cancelList->currentIndex() == 1;
    in.byAmount = m_selectOpt[5]->isChecked();
    in.amount = m_amtBox->text().toStdString();
    const SearchCheck check = checkSearch(in);
    if (check.problem) {
        forms::showFailure(this, *check.problem);
        return;
    }
    try {
        showList(listVouchers(*m_main.Pelkconn, m_kindYear, *check.criteria));
    } catch (const std::exception& e) {
        forms::showError(this, e);
    }
}

void VoucherSearch::showList(std::vector<ListedVoucher> rows)
{
    m_model->setRows(std::move(rows));
    if (m_model->rowCount() > 0)
        m_grid->setCurrentCell(0, 0);
    showCurrent();
}

void VoucherSearch::showCurrent()
{
    const int row = m_grid->currentRow();
    if (row < 0 || row >= m_model->rowCount()) {
        for (QLineEdit* box : {m_tranNo, m_chqBank, m_text2, m_text1, m_text3})
            box->clear();
        return;
    }
    const VoucherDetails d = m_model->details(row);
    m_tranNo->setText(QString::number(d.tranNo));
    forms::setLoadedText(m_chqBank, QString::fromStdString(d.addedBy));
    m_text2->setText(shownTime(d.timeAdded));
    forms::setLoadedText(m_text1, QString::fromStdString(d.editedBy));
    m_text3->setText(shownTime(d.timeEdited));
}

void VoucherSearch::TranGrid_HeadClick(int column)
{
    const auto order = orderOfColumn(column);
    if (!order)
        return;
    m_model->sort(*order);
    if (m_model->rowCount() > 0)
        m_grid->setCurrentCell(0, 0);
    showCurrent();
}

void VoucherSearch::TranGrid_KeyPress(QChar& character)
{
    if (character != QChar(13))
        return;
    character = QChar();
    TranGrid_DblClick();
}

void VoucherSearch::TranGrid_DblClick()
{
    bool ok = false;
    const std::int32_t tranNo = m_tranNo->text().toInt(&ok);
    if (!ok)
        return;   // no current row
    if (!m_main.CheckRight(m_kind.browseRight()))
        return;   // the window stays open on the refusal
    m_main.LedgerRef = tranNo;
    m_main.LOpen = true;
    const QString form = QString::fromLatin1(m_kind.form);
    if (auto* view = dynamic_cast<app::VoucherView*>(m_main.host().find(form)))
        view->EditingRecord(tranNo);
    else
        m_main.openWindow(form, false);   // the form's loading takes the hand-over
    // A hand-over nobody took must not wait for whichever voucher form opens next.
    m_main.LOpen = false;
    accept();
}

std::vector<std::int64_t> VoucherSearch::listedTranNos() const
{
    std::vector<std::int64_t> n;
    for (const auto& row : m_model->rows())
        n.push_back(row.tranNo);
    return n;
}

QWidget* makeVoucherSearch(app::Parent& main, const app::VoucherKind& kind)
{
    return new VoucherSearch(main, kind);
}

} // namespace vouchers
