// The code box's look-up, keys, type-ahead and hide timer.
#include "ledgers/account_pick_list.h"

#include <QAbstractListModel>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QPoint>
#include <QTimer>
#include <QToolTip>

#include "ledgers/account_code_rules.h"
#include "ledgers/account_list_store.h"
#include "platform/data/database.h"
#include "platform/data/recordset.h"
#include "platform/forms/length_limit.h"
#include "platform/forms/loaded_text.h"

namespace ledgers {

// The list's rows: "code  name", as the chart shows an account.
class AccountListModel : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    void setRows(std::vector<AccountEntry> rows)
    {
        beginResetModel();
        m_rows = std::move(rows);
        endResetModel();
    }
    const std::vector<AccountEntry>& rows() const { return m_rows; }

    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole || !index.isValid())
            return {};
        const AccountEntry& e = m_rows[static_cast<std::size_t>(index.row())];
        return QString::number(e.code) + QStringLiteral("  ") + QString::fromStdString(e.name);
    }

private:
    std::vector<AccountEntry> m_rows;
};

namespace {

constexpr int kHideTickMs = 200;
constexpr int kListWidth = 360;
constexpr int kListHeight = 160;

// Focus that moves because another window or a popup took over is no leaving
// of the box: the user is still in it when they come back.
bool userMovedFocus(const QEvent* event)
{
    const auto reason = static_cast<const QFocusEvent*>(event)->reason();
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

} // namespace

AccountPickList::AccountPickList(platform::Database& db, const platform::Recordset& accounts,
                                 QWidget* window)
    : QObject(window), m_db(db), m_accounts(accounts), m_window(window)
{
    m_model = new AccountListModel(this);
    m_list = new QListView(window);
    m_list->setObjectName(QStringLiteral("AccCodeList"));
    m_list->setModel(m_model);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setUniformItemSizes(true);   // a few thousand rows scroll without measuring each
    m_list->resize(kListWidth, kListHeight);
    m_list->hide();
    m_list->installEventFilter(this);
    m_list->viewport()->installEventFilter(this);
    connect(m_list->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { AccCodeList_Click(current.isValid() ? current.row() : -1); });

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("IListTimer"));
    m_timer->setInterval(kHideTickMs);
    connect(m_timer, &QTimer::timeout, this, &AccountPickList::IListTimer_Timer);

    // The list starts with every account, as if nothing had been typed.
    requery(QString());
}

AccountPickList::~AccountPickList() = default;

int AccountPickList::addBox(QLineEdit* code, QLineEdit* name)
{
    const int box = static_cast<int>(m_boxes.size());
    m_boxes.push_back({code, name});
    forms::limitLength(code, kAccountCodeLength);
    code->setAlignment(Qt::AlignCenter);
    name->setReadOnly(true);
    code->installEventFilter(this);
    connect(code, &QLineEdit::textChanged, this, [this, box] { Code_Change(box); });
    return box;
}

int AccountPickList::boxOf(QObject* watched) const
{
    for (std::size_t i = 0; i < m_boxes.size(); ++i)
        if (m_boxes[i].code == watched)
            return static_cast<int>(i);
    return -1;
}

bool AccountPickList::eventFilter(QObject* watched, QEvent* event)
{
    if (const int box = boxOf(watched); box >= 0) {
        switch (event->type()) {
        case QEvent::FocusIn:
            if (userMovedFocus(event))
                Code_GotFocus(box);
            break;
        case QEvent::FocusOut:
            if (userMovedFocus(event))
                Code_LostFocus(box);
            break;
        case QEvent::KeyPress:
            return Code_KeyDown(box, static_cast<QKeyEvent*>(event)->key());
        case QEvent::KeyRelease:
            if (!static_cast<QKeyEvent*>(event)->isAutoRepeat())
                Code_KeyUp(box);
            break;
        default:
            break;
        }
        return false;
    }
    if (watched == m_list) {
        switch (event->type()) {
        case QEvent::FocusIn:
            if (userMovedFocus(event))
                AccCodeList_GotFocus();
            break;
        case QEvent::FocusOut:
            if (userMovedFocus(event))
                AccCodeList_LostFocus();
            break;
        case QEvent::KeyPress:
            return AccCodeList_KeyDown(static_cast<QKeyEvent*>(event)->key());
        default:
            break;
        }
        return false;
    }
    if (watched == m_list->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        // Also on an empty list, where no item is double-clicked.
        AccCodeList_DblClick();
        return true;
    }
    return false;
}

bool AccountPickList::accountsEmpty() const
{
    // A clone sees every row whatever filter another window put on the shared list.
    return !m_accounts.isOpen() || m_accounts.clone().recordCount() == 0;
}

std::optional<QString> AccountPickList::nameOf(std::int64_t code) const
{
    platform::Recordset rows = m_accounts.clone();
    if (!rows.find("AccCode", platform::Value(code), true))
        return std::nullopt;
    return QString::fromStdString(rows["AccName"].toText());
}

void AccountPickList::Code_Change(int box)
{
    const Box& b = m_boxes.at(static_cast<std::size_t>(box));
    if (!b.code->text().isEmpty())
        b.name->setPlaceholderText({});   // a reason given on leaving is of the text that was removed
    const auto code = parseAccountCode(b.code->text().toStdString());
    if (!code) {
        b.name->clear();
        return;
    }
    if (accountsEmpty())
        return;
    forms::setLoadedText(b.name, nameOf(*code).value_or(QString()));
}

void AccountPickList::Code_GotFocus(int box)
{
    QLineEdit* code = m_boxes.at(static_cast<std::size_t>(box)).code;
    // After the click that gave the focus, or the click would undo the selection.
    QTimer::singleShot(0, code, [code] { code->selectAll(); });
    m_codeFocus = true;
    m_served = box;
    placeUnder(box);
}

bool AccountPickList::Code_KeyDown(int box, int key)
{
    const Box& b = m_boxes.at(static_cast<std::size_t>(box));
    switch (key) {
    case Qt::Key_Down:
    case Qt::Key_Up:
        if (m_list->isVisible()) {
            m_list->setFocus(Qt::OtherFocusReason);
            if (m_current >= 0)
                m_list->setCurrentIndex(m_model->index(m_current));
        }
        return true;
    case Qt::Key_Escape:
        b.code->clear();
        hideList();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        b.name->setFocus(Qt::OtherFocusReason);
        hideList();
        return true;
    default:
        return false;
    }
}

void AccountPickList::Code_KeyUp(int box)
{
    QLineEdit* code = m_boxes.at(static_cast<std::size_t>(box)).code;
    // The release of a key that moved the focus away (Down into the list)
    // belongs to where the focus went.
    if (!code->hasFocus())
        return;
    const QString typed = code->text();
    if (typed.isEmpty()) {
        hideList();
    } else {
        placeUnder(box);
        m_list->show();
        m_list->raise();
    }
    requery(typed);
}

void AccountPickList::Code_LostFocus(int box)
{
    const Box& b = m_boxes.at(static_cast<std::size_t>(box));
    const QString typed = b.code->text();
    const auto parsed = parseAccountCode(typed.toStdString());
    // A text that is removed says why in the empty name box beside it.
    QString why;
    if (!parsed && !typed.isEmpty())
        why = QStringLiteral("An account code is digits only.");
    else if (parsed && !accountsEmpty() && !nameOf(*parsed))
        why = QStringLiteral("No account has the code %1.").arg(typed);
    if (!parsed || !why.isEmpty())
        b.code->clear();
    b.name->setPlaceholderText(why);
    if (!why.isEmpty())
        QToolTip::showText(b.code->mapToGlobal(QPoint(0, b.code->height())), why, b.code);
    m_codeFocus = false;
    m_timer->start();
}

void AccountPickList::AccCodeList_Click(int row)
{
    m_current = row;
}

void AccountPickList::AccCodeList_DblClick()
{
    QLineEdit* code = m_boxes.at(static_cast<std::size_t>(m_served)).code;
    const auto taken = currentCode();
    if (taken)
        code->setText(QString::number(*taken));
    else
        code->clear();
    code->setFocus(Qt::OtherFocusReason);
}

bool AccountPickList::AccCodeList_KeyDown(int key)
{
    const Box& b = m_boxes.at(static_cast<std::size_t>(m_served));
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab:
        if (const auto taken = currentCode())
            b.code->setText(QString::number(*taken));
        b.name->setFocus(Qt::OtherFocusReason);
        return true;
    case Qt::Key_Escape:
        b.code->clear();
        b.code->setFocus(Qt::OtherFocusReason);
        return true;
    default:
        return false;
    }
}

void AccountPickList::AccCodeList_GotFocus()
{
    m_codeFocus = true;
}

void AccountPickList::AccCodeList_LostFocus()
{
    m_codeFocus = false;
    hideList();
}

void AccountPickList::IListTimer_Timer()
{
    if (m_codeFocus)
        return;
    hideList();
    m_timer->stop();
}

std::optional<std::int64_t> AccountPickList::currentCode() const
{
    const auto& rows = m_model->rows();
    if (m_current < 0 || m_current >= static_cast<int>(rows.size()))
        return std::nullopt;
    return rows[static_cast<std::size_t>(m_current)].code;
}

void AccountPickList::hideList()
{
    m_list->hide();
}

void AccountPickList::placeUnder(int box)
{
    const QLineEdit* code = m_boxes.at(static_cast<std::size_t>(box)).code;
    // One pixel (15 twips) below the box, at its left edge.
    const QPoint at = code->mapTo(m_window, QPoint(0, code->height() + 1));
    m_list->move(at);
}

void AccountPickList::requery(const QString& typed)
{
    try {
        m_model->setRows(accountsMatching(m_db, typed.toStdString()));
    } catch (const platform::DbError&) {
        // The type-ahead is a convenience: when it fails the list keeps its
        // rows and the box works on, as typing a code needs no list.
        return;
    }
    m_current = m_model->rows().empty() ? -1 : 0;
}

AccCodeBox::AccCodeBox(platform::Database& db, const platform::Recordset& accounts, QWidget* window,
                       QLineEdit* code, QLineEdit* name)
    : AccountPickList(db, accounts, window)
{
    addBox(code, name);
}

AccRangePicker::AccRangePicker(platform::Database& db, const platform::Recordset& accounts,
                               QWidget* window, QLineEdit* codeFrom, QLineEdit* accFrom,
                               QLineEdit* codeTo, QLineEdit* accTo)
    : AccountPickList(db, accounts, window)
{
    addBox(codeFrom, accFrom);
    addBox(codeTo, accTo);
}

} // namespace ledgers
