// The voucher line grid: the in-memory lines behind the grid, the pick list and
// its type-ahead on the accounts table, the hide timer, the "Accounts" button
// and the totals. The rules themselves are in line_grid_rules.
#include "accounts/voucher_line_grid.h"

#include <utility>

#include <QAbstractTableModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QToolTip>
#include <QVBoxLayout>

#include "accounts/chart_store.h"
#include "main/parent.h"
#include "platform/data/database.h"
#include "platform/forms/data_grid.h"
#include "platform/forms/data_list.h"
#include "platform/forms/fit_text.h"
#include "platform/forms/messages.h"
#include "platform/text/formats.h"

namespace accounts {
namespace {

constexpr const char* kAllAccounts =
    "SELECT AccCode, AccName, AccCode || '  ' || coalesce(AccName, '') AS Account "
    "FROM AccLevel3 ORDER BY AccCode";
constexpr const char* kAccountsContaining =
    "SELECT AccCode, AccName, AccCode || '  ' || coalesce(AccName, '') AS Account "
    "FROM AccLevel3 WHERE AccCode || '  ' || coalesce(AccName, '') LIKE ? ESCAPE '\\' "
    "ORDER BY AccCode";

// Where the list goes, in twips from the top of the code cell's row: under the
// cell, or ending 10 twips under the row's upper edge.
constexpr int kListBelowTwips = 320;
constexpr int kListAboveTwips = 3650;

// The name's and the description's widths; the code and the amounts are
// sized for their widest figures and every column for its heading.
constexpr int kNameWidth = 260;
constexpr int kDescWidth = 300;

} // namespace

LineGridParams openingBalanceGrid()
{
    LineGridParams p;
    p.listAboveFromRow = 10;
    p.captions = {QStringLiteral("       Account Code"), QStringLiteral(" Account Name"),
                  QStringLiteral("Description"), QString(18, QLatin1Char(' ')) + QStringLiteral("Debit"),
                  QString(18, QLatin1Char(' ')) + QStringLiteral("Credit")};
    p.listWidthTwips = 7995;
    p.listHeightTwips = 3660;
    return p;
}

LineGridParams voucherFormGrid()
{
    LineGridParams p;
    p.listAboveFromRow = 7;
    p.captions = {QStringLiteral(" Account Code"), QStringLiteral(" Account Name"), QStringLiteral("Description"),
                  QString(13, QLatin1Char(' ')) + QStringLiteral("Debit"),
                  QString(13, QLatin1Char(' ')) + QStringLiteral("Credit")};
    p.listWidthTwips = 7680;
    p.listHeightTwips = 3660;
    return p;
}

// The lines as the grid shows and edits them: codes and names as stored,
// amounts "0.00;(0.00)", typed text read by the strict rules.
class VoucherLineGrid::Lines : public QAbstractTableModel {
public:
    Lines(std::array<QString, column::Count> captions, QObject* parent)
        : QAbstractTableModel(parent), m_captions{std::move(captions)}
    {
    }

    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : column::Count;
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || index.row() >= rowCount())
            return {};
        const SubTranRow& line = m_rows[static_cast<std::size_t>(index.row())];
        const int col = index.column();
        if (role == Qt::TextAlignmentRole && (col == column::Debit || col == column::Credit))
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        if (role != Qt::DisplayRole && role != Qt::EditRole)
            return {};
        switch (col) {
        case column::Code:
            return line.accCode ? QString::number(*line.accCode) : QString();
        case column::Name:
            return line.accName;
        case column::Desc:
            return line.desc;
        case column::Debit:
        case column::Credit: {
            const auto& amount = col == column::Debit ? line.debit : line.credit;
            if (role == Qt::EditRole)   // edited without the brackets of the shown format
                return amount ? platform::formatMoneyQ(*amount, "0.00") : QString();
            return amountText(amount);
        }
        default:
            return {};
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (role != Qt::DisplayRole)
            return {};
        if (orientation == Qt::Vertical)
            return QString();   // a bare row selector
        return section >= 0 && section < column::Count ? m_captions[static_cast<std::size_t>(section)] : QString();
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        // Every cell is offered for editing; the grid's beforeColEdit decides.
        return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable : Qt::NoItemFlags;
    }

    bool setData(const QModelIndex& index, const QVariant& value, int role) override
    {
        if (!index.isValid() || role != Qt::EditRole || index.row() >= rowCount())
            return false;
        SubTranRow& line = m_rows[static_cast<std::size_t>(index.row())];
        const QString text = value.toString();
        switch (index.column()) {
        case column::Code: {
            const auto code = parseAccountCode(text);
            if (!code)
                return false;
            line.accCode = code;
            break;
        }
        case column::Desc:
            if (!descriptionFits(text))
                return false;
            line.desc = text;
            break;
        case column::Debit:
        case column::Credit: {
            const auto cell = readAmountCell(text);
            if (!cell)
                return false;
            (index.column() == column::Debit ? line.debit : line.credit) = cell->amount;
            break;
        }
        default:
            return false;
        }
        emit dataChanged(index, index);
        return true;
    }

    bool removeRows(int row, int count, const QModelIndex& parent = {}) override
    {
        if (parent.isValid() || row < 0 || count <= 0 || row + count > rowCount())
            return false;
        beginRemoveRows({}, row, row + count - 1);
        m_rows.erase(m_rows.begin() + row, m_rows.begin() + row + count);
        endRemoveRows();
        return true;
    }

    const std::vector<SubTranRow>& rows() const { return m_rows; }

    void setRows(std::vector<SubTranRow> rows)
    {
        beginResetModel();
        m_rows = std::move(rows);
        endResetModel();
    }

    void append(std::size_t count)
    {
        if (count == 0)
            return;
        const int first = rowCount();
        beginInsertRows({}, first, first + static_cast<int>(count) - 1);
        m_rows.resize(m_rows.size() + count);
        endInsertRows();
    }

    void setAccount(int row, std::int64_t code, const QString& name)
    {
        SubTranRow& line = m_rows[static_cast<std::size_t>(row)];
        line.accCode = code;
        line.accName = name;
        emit dataChanged(index(row, column::Code), index(row, column::Name));
    }

private:
    std::array<QString, column::Count> m_captions;
    std::vector<SubTranRow> m_rows;
};

VoucherLineGrid::VoucherLineGrid(app::Parent& main, LineGridParams params, QWidget* parent)
    : QWidget(parent), m_main{main}, m_params{std::move(params)}
{
    m_lines = new Lines(m_params.captions, this);

    m_grid = new forms::DataGrid(this);
    m_grid->setObjectName(QStringLiteral("Grid"));
    m_grid->setModel(m_lines);
    m_grid->setAllowDelete(true);
    m_grid->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    forms::fitColumn(m_grid, column::Code, forms::kSizedCode);
    forms::fitColumn(m_grid, column::Name, kNameWidth);
    forms::fitColumn(m_grid, column::Desc, kDescWidth);
    // Fourteen characters is what an amount cell takes; a total beyond the
    // sized width is set smaller by the grid and the boxes.
    for (int c : {column::Debit, column::Credit})
        forms::fitColumn(m_grid, c, forms::kSizedAmount);
    // The description takes what the other columns leave, so the amounts stay
    // in sight however narrow the window that hosts the grid.
    m_grid->horizontalHeader()->setSectionResizeMode(column::Desc, QHeaderView::Stretch);
    m_grid->verticalHeader()->setFixedWidth(16);
    forms::showFiguresWhole(m_grid, {column::Code, column::Debit, column::Credit});

    forms::DataGrid::Hooks grid;
    grid.beforeColEdit = [this](int c, bool& cancel) { Grid_BeforeColEdit(c, cancel); };
    grid.beforeColUpdate = [this](int c, const QString& old, const QString& text, bool& cancel) {
        Grid_BeforeColUpdate(c, old, text, cancel);
    };
    grid.afterColUpdate = [this](int c) { Grid_AfterColUpdate(c); };
    grid.afterDelete = [this] { Grid_AfterDelete(); };
    grid.keyDown = [this](int key, Qt::KeyboardModifiers shift, bool& cancel) { Grid_KeyDown(key, shift, cancel); };
    grid.keyPress = [this](QChar& key) { Grid_KeyPress(key); };
    grid.keyUp = [this](int key, Qt::KeyboardModifiers shift) { Grid_KeyUp(key, shift); };
    grid.rowColChange = [this](int row, int col) { Grid_RowColChange(row, col); };
    grid.gotFocus = [this] { Grid_GotFocus(); };
    grid.lostFocus = [this] { Grid_LostFocus(); };
    m_grid->setHooks(std::move(grid));

    m_list = new forms::DataList(this);
    m_list->setObjectName(QStringLiteral("AccCodeList"));
    m_list->resize(forms::twipsToPixels(m_params.listWidthTwips), forms::twipsToPixels(m_params.listHeightTwips));
    m_list->hide();
    forms::DataList::Hooks list;
    list.click = [this] { AccCodeList_Click(); };
    list.dblClick = [this] { AccCodeList_DblClick(); };
    list.keyDown = [this](int key, Qt::KeyboardModifiers shift, bool& cancel) {
        AccCodeList_KeyDown(key, shift, cancel);
    };
    list.gotFocus = [this] { AccCodeList_GotFocus(); };
    list.lostFocus = [this] { AccCodeList_LostFocus(); };
    m_list->setHooks(std::move(list));

    m_accCodeTxt = new QLineEdit(this);
    m_accCodeTxt->setObjectName(QStringLiteral("AccCodeTxt"));
    m_accCodeTxt->hide();

    m_listTimer = new QTimer(this);
    m_listTimer->setObjectName(QStringLiteral("IListTimer"));
    m_listTimer->setInterval(500);
    connect(m_listTimer, &QTimer::timeout, this, &VoucherLineGrid::IListTimer_Timer);

    m_ca = new QPushButton(m_params.accountsCaption, this);
    m_ca->setObjectName(QStringLiteral("CA"));
    connect(m_ca, &QPushButton::clicked, this, &VoucherLineGrid::CA_Click);

    m_dTot = new forms::WholeTextBox(this);
    m_dTot->setObjectName(QStringLiteral("DTot"));
    m_cTot = new forms::WholeTextBox(this);
    m_cTot->setObjectName(QStringLiteral("CTot"));
    m_dTot->setFixedWidth(m_grid->columnWidth(column::Debit));
    m_cTot->setFixedWidth(m_grid->columnWidth(column::Credit));
    m_diffLbl = new QLabel(this);
    m_diffLbl->setObjectName(QStringLiteral("DiffLbl"));

    m_refusalLbl = new QLabel(this);
    m_refusalLbl->setObjectName(QStringLiteral("RefusalLbl"));
    m_refusalLbl->setStyleSheet(QStringLiteral("QLabel { color: rgb(192, 0, 0); }"));

    auto* totals = new QHBoxLayout;
    totals->addWidget(m_ca);
    totals->addWidget(m_refusalLbl, 1);
    totals->addWidget(m_diffLbl);
    totals->addWidget(m_dTot);
    totals->addWidget(m_cTot);
    // The totals end where the amount columns end: before the grid's scroll
    // bar, which the rows the hosting windows add always show.
    totals->addSpacing(m_grid->verticalScrollBar()->sizeHint().width() + m_grid->frameWidth());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_grid, 1);
    layout->addLayout(totals);

    requeryAccCodes({});
}

VoucherLineGrid::~VoucherLineGrid()
{
    // The focus leaving the grid or the list while the children go must not
    // reach handlers of a component that is gone.
    m_grid->setHooks({});
    if (m_list) {
        m_list->setHooks({});
        // The list may live in the hosting window (placeList).
        if (m_list->parentWidget() != this)
            delete m_list.data();
    }
}

bool VoucherLineGrid::refuseLineOffChart()
{
    if (!m_main.Pelkconn)
        return false;
    const auto row = firstLineOffChart(*m_main.Pelkconn, lines());
    if (!row)
        return false;
    m_grid->setCurrentCell(static_cast<int>(*row), column::Code);
    forms::showFailure(this, accountGoneProblem(*row, lines()[*row]));
    return true;
}

void VoucherLineGrid::setLines(std::vector<SubTranRow> lines)
{
    m_lines->setRows(std::move(lines));
    if (m_lines->rowCount() > 0)
        m_grid->setCurrentCell(0, column::Code);
}

void VoucherLineGrid::addBlankRows(std::size_t count)
{
    const bool wasEmpty = m_lines->rowCount() == 0;
    m_lines->append(count);
    if (wasEmpty && m_lines->rowCount() > 0)
        m_grid->setCurrentCell(0, column::Code);
}

const std::vector<SubTranRow>& VoucherLineGrid::lines() const
{
    return m_lines->rows();
}

std::vector<SubTranRow> VoucherLineGrid::linesToSave() const
{
    return linesWithAccount(m_lines->rows());
}

void VoucherLineGrid::TotalValue()
{
    const auto totals = totalsOf(m_lines->rows());
    if (!totals) {
        // Typed amounts are refused before a total overflows; only loaded lines get here.
        m_dTot->clear();
        m_cTot->clear();
        m_diffLbl->clear();
        return;
    }
    m_dTot->setText(totalText(totals->debit));
    m_cTot->setText(totalText(totals->credit));
    m_diffLbl->setText(differenceText(*totals));
}

void VoucherLineGrid::Grid_BeforeColEdit(int col, bool& cancel)
{
    const int row = m_grid->currentRow();
    if (row < 0) {
        cancel = true;
        return;
    }
    if (col == column::Code) {
        placeList();
        return;
    }
    const EditVerdict verdict = mayEdit(m_lines->rows()[static_cast<std::size_t>(row)], col);
    if (!verdict.message.isEmpty())
        forms::inform(window(), selectAccountTitle(), verdict.message);
    cancel = !verdict.allowed;
}

void VoucherLineGrid::Grid_BeforeColUpdate(int col, const QString&, const QString& newText, bool& cancel)
{
    const int row = m_grid->currentRow();
    if (row < 0) {
        cancel = true;
        return;
    }
    // A refusal says why beside the grid, in a few words and without a box,
    // and leaves the cell as it was.
    const auto refuse = [&](const QString& why) {
        cancel = true;
        showRefusal(why);
    };
    switch (col) {
    case column::Code: {
        if (m_list && m_list->hasFocus()) {
            // The focus went into the list (Down, Up or a click) with the text
            // typed to find the account: it is no code, and the pick from the
            // list sets the cell, so it is dropped without a word.
            cancel = true;
            return;
        }
        const auto code = parseAccountCode(newText);
        platform::Recordset& accounts = m_main.AccListRst;
        if (!code) {
            refuse(accountCodeRefusal(newText, false));
            return;
        }
        if (!accounts.isOpen()) {
            refuse(QStringLiteral("The list of accounts is not loaded yet; try again in a moment."));
            return;
        }
        accounts.moveFirst();
        if (!accounts.find("AccCode", platform::Value(*code), true)) {
            refuse(accountCodeRefusal(newText, false));
            return;
        }
        m_lines->setAccount(row, *code, QString::fromStdString(accounts["AccName"].toText()));
        showRefusal({});
        return;
    }
    case column::Desc:
        if (const QString why = descriptionRefusal(newText); !why.isEmpty())
            refuse(why);
        else
            showRefusal({});
        return;
    case column::Debit:
    case column::Credit: {
        const auto cell = readAmountCell(newText);
        if (!cell) {
            refuse(amountRefusal(newText));
            return;
        }
        // An amount whose total would not fit is refused like bad text.
        std::vector<SubTranRow> after = m_lines->rows();
        SubTranRow& line = after[static_cast<std::size_t>(row)];
        (col == column::Debit ? line.debit : line.credit) = cell->amount;
        if (!totalsOf(after))
            refuse(totalTooLargeRefusal());
        else
            showRefusal({});
        return;
    }
    default:
        cancel = true;
        return;
    }
}

void VoucherLineGrid::showRefusal(const QString& why)
{
    m_refusalLbl->setText(why);
    if (why.isEmpty())
        return;
    const QRect cell = m_grid->visualRect(m_grid->currentIndex());
    QToolTip::showText(m_grid->viewport()->mapToGlobal(cell.bottomLeft()), why, m_grid->viewport());
}

void VoucherLineGrid::Grid_AfterColUpdate(int col)
{
    if (col == column::Debit || col == column::Credit)
        runTotals();
}

void VoucherLineGrid::Grid_AfterDelete()
{
    runTotals();
}

void VoucherLineGrid::Grid_KeyDown(int key, Qt::KeyboardModifiers, bool& cancel)
{
    if (key == Qt::Key_Escape) {
        runTotals();
        return;
    }
    if ((key == Qt::Key_Down || key == Qt::Key_Up) && m_list->isVisible()) {
        m_list->setFocus(Qt::OtherFocusReason);
        if (const auto code = parseAccountCode(m_accCodeTxt->text()))
            m_list->setBoundValue(platform::Value(*code));
        cancel = true;   // the key only carries the focus over; the grid stays on its cell
    }
}

void VoucherLineGrid::Grid_KeyPress(QChar& key)
{
    if (key == QChar(13)) {
        m_grid->setTabAction(forms::TabAction::GridNavigation);
        key = QChar(9);
    } else {
        m_grid->setTabAction(forms::TabAction::ControlNavigation);
    }
}

void VoucherLineGrid::Grid_KeyUp(int, Qt::KeyboardModifiers)
{
    if (m_grid->currentColumn() != column::Code)
        return;
    const int row = m_grid->currentRow();
    if (!m_grid->isEditing() && (row < 0 || !m_lines->rows()[static_cast<std::size_t>(row)].accCode))
        return;   // a code cell that holds nothing yet
    requeryAccCodes(m_grid->currentText());
}

void VoucherLineGrid::Grid_RowColChange(int, int previousColumn)
{
    if (previousColumn != column::Code)
        return;
    m_list->hide();
    if (m_codeFocus)
        requeryAccCodes({});
}

void VoucherLineGrid::Grid_GotFocus()
{
    m_codeFocus = true;
}

void VoucherLineGrid::Grid_LostFocus()
{
    m_codeFocus = false;
    m_listTimer->start();
}

void VoucherLineGrid::AccCodeList_Click()
{
    const auto bookmark = m_list->selectedBookmark();
    if (!m_list->matchedWithList() || !bookmark)
        return;
    try {
        m_accCodes.moveTo(*bookmark);
    } catch (const std::out_of_range&) {
        // The list is always filled from AccCodes; a stale bookmark just keeps the old row.
    }
    showAccCodeTxt();
}

void VoucherLineGrid::AccCodeList_DblClick()
{
    if (m_accCodes.isOpen() && m_accCodes.recordCount() > 0)
        takeAccount();
    m_grid->setFocus(Qt::OtherFocusReason);
}

void VoucherLineGrid::AccCodeList_KeyDown(int key, Qt::KeyboardModifiers, bool& cancel)
{
    switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (m_list->matchedWithList())
            takeAccount();
        m_grid->setFocus(Qt::OtherFocusReason);
        cancel = true;
        return;
    case Qt::Key_Escape:
        m_grid->setFocus(Qt::OtherFocusReason);
        cancel = true;
        return;
    default:
        return;
    }
}

void VoucherLineGrid::AccCodeList_GotFocus()
{
    m_codeFocus = true;
}

void VoucherLineGrid::AccCodeList_LostFocus()
{
    m_list->hide();
    m_codeFocus = false;
}

void VoucherLineGrid::IListTimer_Timer()
{
    if (m_codeFocus)
        return;
    m_list->hide();
    m_listTimer->stop();
}

void VoucherLineGrid::CA_Click()
{
    if (!m_main.CheckRight(12))
        return;
    // Nothing is refreshed on return: the editor re-arms the main window's
    // account list when it closes, and the pick list takes new accounts at its
    // next requery.
    m_main.openWindow(QStringLiteral("ModifyAccounts"), true);
}

void VoucherLineGrid::runTotals()
{
    if (m_params.totals)
        m_params.totals();
    else
        TotalValue();
}

void VoucherLineGrid::requeryAccCodes(const QString& typed)
{
    if (!m_main.Pelkconn)
        return;
    try {
        platform::Recordset rows =
            typed.isEmpty()
                ? platform::Recordset::open(*m_main.Pelkconn, kAllAccounts)
                : platform::Recordset::open(*m_main.Pelkconn, kAccountsContaining,
                                            {containsPattern(typed).toStdString()});
        m_list->setRows(rows, "Account", "AccCode");
        m_accCodes = std::move(rows);
    } catch (const platform::DbError&) {
        // The type-ahead never interrupts typing: the list keeps its last rows.
        return;
    }
    showAccCodeTxt();
}

void VoucherLineGrid::showAccCodeTxt()
{
    const bool onRow = m_accCodes.isOpen() && !m_accCodes.bof() && !m_accCodes.eof();
    m_accCodeTxt->setText(onRow ? QString::fromStdString(m_accCodes["AccCode"].toText()) : QString());
}

void VoucherLineGrid::placeList()
{
    // The list belongs to the hosting window, so that it can hang over the
    // window's other controls above and below the grid.
    QWidget* host = form();
    if (m_list->parentWidget() != host)
        m_list->setParent(host);
    const QPoint grid = m_grid->mapTo(host, QPoint(0, 0));
    const int visible = m_grid->visibleRow();
    const int rowTop = m_grid->rowTop(visible);
    // Under the cell means under it whatever the face makes the row's height.
    const int below = std::max(forms::twipsToPixels(kListBelowTwips), m_grid->verticalHeader()->defaultSectionSize());
    const int top = visible < m_params.listAboveFromRow ? grid.y() + rowTop + below
                                                        : grid.y() + rowTop - forms::twipsToPixels(kListAboveTwips);
    m_list->setGeometry(grid.x() + m_grid->columnLeft(column::Code), top,
                        forms::twipsToPixels(m_params.listWidthTwips), forms::twipsToPixels(m_params.listHeightTwips));
    if (m_accCodes.isOpen())
        m_accCodes.moveFirst();
    showAccCodeTxt();
    m_list->raise();
    m_list->show();
}

void VoucherLineGrid::takeAccount()
{
    const int row = m_grid->currentRow();
    if (row < 0 || !m_accCodes.isOpen() || m_accCodes.bof() || m_accCodes.eof())
        return;
    const auto code = m_accCodes["AccCode"].asInt();
    if (!code)
        return;
    m_lines->setAccount(row, *code, QString::fromStdString(m_accCodes["AccName"].toText()));
    showRefusal({});   // the line now has an account: an earlier note no longer holds
}

QWidget* VoucherLineGrid::form()
{
    QWidget* w = this;
    while (!w->isWindow() && w->parentWidget() && !qobject_cast<QMdiSubWindow*>(w->parentWidget()))
        w = w->parentWidget();
    return w;
}

} // namespace accounts
