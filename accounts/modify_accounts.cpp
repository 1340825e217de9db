// The chart editor window: building the three panels, the cascade from main type
// to sub types to accounts, and the add/save/cancel/delete of each level. Every
// write is of the one row being saved or deleted, after its checks have passed.
#include "accounts/modify_accounts.h"

#include <cassert>

#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

#include "accounts/chart_rules.h"
#include "accounts/chart_search.h"
#include "accounts/chart_store.h"
#include "main/parent.h"
#include "platform/data/database.h"
#include "platform/forms/length_limit.h"
#include "platform/forms/loaded_text.h"
#include "platform/forms/messages.h"
#include "platform/forms/name_list.h"
#include "platform/forms/window_host.h"
#include "reports/accounts/acc_list.h"

namespace accounts {
namespace {

constexpr int kNameLength = kChartNameLength;
constexpr int kMainCodeLength = 3;
constexpr int kCodeRole = Qt::UserRole;

bool hasCurrent(const platform::Recordset& rs)
{
    return rs.isOpen() && !rs.bof() && !rs.eof();
}

// The code in `column` of the current row; callers check hasCurrent first.
std::int64_t codeOf(const platform::Recordset& rs, const char* column)
{
    return rs[column].toInt();
}

QString textOf(const platform::Recordset& rs, const char* column)
{
    return QString::fromStdString(rs[column].toText());
}

QString codeText(std::optional<std::int64_t> code)
{
    return code ? QString::number(*code) : QString();
}

// Moves `rs` to the row whose `column` holds `code`. A code that is not there
// leaves `rs` where it was.
bool moveToCode(platform::Recordset& rs, const char* column, std::int64_t code)
{
    if (!rs.isOpen())
        return false;
    auto search = rs.clone();
    if (!search.find(column, platform::Value{code}, true))
        return false;
    rs.moveTo(search.bookmark());
    return true;
}

void fillList(QListWidget* list, const platform::Recordset& rs, const char* shown, const char* bound)
{
    const QSignalBlocker quiet(list);
    list->clear();
    if (!rs.isOpen())
        return;
    auto walk = rs.clone();
    for (walk.moveFirst(); !walk.eof(); walk.moveNext()) {
        auto* item = new QListWidgetItem(textOf(walk, shown), list);
        item->setData(kCodeRole, QVariant::fromValue<qlonglong>(codeOf(walk, bound)));
    }
}

void clearMark(QListWidget* list)
{
    const QSignalBlocker quiet(list);
    list->setCurrentRow(-1);
}

// Marks the row of `code` in `list` without running its click handler.
void markInList(QListWidget* list, std::int64_t code)
{
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->data(kCodeRole).toLongLong() == code) {
            const QSignalBlocker quiet(list);
            list->setCurrentRow(i);
            return;
        }
    }
    clearMark(list);
}

std::optional<std::int64_t> listedCode(const QListWidget* list)
{
    const QListWidgetItem* item = list->currentItem();
    if (!item)
        return std::nullopt;
    return item->data(kCodeRole).toLongLong();
}

void setQuietly(QLineEdit* box, const QString& text)
{
    const QSignalBlocker quiet(box);
    forms::setLoadedText(box, text);
}

QPushButton* makeButton(const QString& caption, const QString& name, QWidget* parent)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    // Enter must not press a button the user did not choose.
    b->setAutoDefault(false);
    return b;
}

QLineEdit* makeBox(const QString& name, int maxLength, QWidget* parent)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    if (maxLength > 0)
        forms::limitLength(box, maxLength);
    return box;
}

QGroupBox* makeFrame(const QString& caption, const QString& name, QWidget* parent)
{
    auto* frame = new QGroupBox(caption, parent);
    frame->setObjectName(name);
    return frame;
}

// At most three buttons a row: five side by side made each panel, and the
// window, wider than a screen of 1024 pixels.
QGridLayout* buttonRow(std::initializer_list<QPushButton*> buttons)
{
    constexpr int kPerRow = 3;
    auto* grid = new QGridLayout;
    int i = 0;
    for (QPushButton* b : buttons) {
        grid->addWidget(b, i / kPerRow, i % kPerRow);
        ++i;
    }
    return grid;
}

// A delete the database's keys refused: the row is still in use.
bool isConstraint(const std::exception& e)
{
    const auto* db = dynamic_cast<const platform::DbError*>(&e);
    return db && db->isConstraint();
}

} // namespace

ModifyAccounts::ModifyAccounts(app::Parent& main, QWidget* parent)
    : QDialog(parent), m_main(main), m_db(*main.Pelkconn)
{
    setObjectName(QStringLiteral("ModifyAccounts"));
    setWindowTitle(QStringLiteral("Chart of Accounts"));
    setModal(true);
    buildControls();
    Form_Load();
}

// The window is normally gone through done(); one deleted with its main window
// has nothing left to re-arm, so the destructor leaves AccTimer alone.
ModifyAccounts::~ModifyAccounts() = default;

void ModifyAccounts::buildControls()
{
    auto* heading = new QLabel(QStringLiteral("CHART OF ACCOUNTS"), this);
    heading->setObjectName(QStringLiteral("Heading"));
    QFont big = heading->font();
    big.setPointSize(big.pointSize() * 3 / 2);
    big.setBold(true);
    heading->setFont(big);
    heading->setAlignment(Qt::AlignCenter);

    // --- main types ---
    m_l1Frame = makeFrame(QStringLiteral("Main Account Types"), QStringLiteral("L1Frame"), this);
    m_l1List = new QListWidget(m_l1Frame);
    m_l1List->setObjectName(QStringLiteral("L1List"));
    m_mainCode = makeBox(QStringLiteral("MainCode"), 0, m_l1Frame);
    // Digits only, at most three: a key or a paste that would put anything else
    // into the box is dropped, so no other text ever reaches a query or a save.
    m_mainCode->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,3}")), m_mainCode));
    forms::limitLength(m_mainCode, kMainCodeLength);
    m_fsList = new forms::NameList(m_l1Frame, "FSList", forms::NameList::Typing::FillIn, 20);
    m_valueLbl = new QLabel(m_l1Frame);
    m_valueLbl->setObjectName(QStringLiteral("ValueLbl"));
    m_catCodeTxt = makeBox(QStringLiteral("CatCodeTxt"), kNameLength, m_l1Frame);
    m_addBttn = makeButton(QStringLiteral("Add"), QStringLiteral("AddBttn"), m_l1Frame);
    m_saveBttn = makeButton(QStringLiteral("Save"), QStringLiteral("SaveBttn"), m_l1Frame);
    m_delBttn = makeButton(QStringLiteral("Delete"), QStringLiteral("DelBttn"), m_l1Frame);
    m_cancelBttn = makeButton(QStringLiteral("Cancel"), QStringLiteral("CancelBttn"), m_l1Frame);
    m_printBttn[0] = makeButton(QStringLiteral("Chart"), QStringLiteral("PrintBttn0"), m_l1Frame);
    {
        auto* form = new QFormLayout;
        form->addRow(QStringLiteral("Main Type Code"), m_mainCode);
        form->addRow(QStringLiteral("Nature of Account Type"), m_fsList);
        form->addRow(QString(), m_valueLbl);
        form->addRow(QStringLiteral("Main Account Type"), m_catCodeTxt);
        auto* box = new QVBoxLayout(m_l1Frame);
        box->addWidget(m_l1List);
        box->addLayout(form);
        box->addLayout(buttonRow({m_addBttn, m_saveBttn, m_delBttn, m_cancelBttn, m_printBttn[0]}));
    }

    // --- sub types ---
    m_l2Frame = makeFrame(QStringLiteral("Sub Account Types"), QStringLiteral("L2Frame"), this);
    m_l2List = new QListWidget(m_l2Frame);
    m_l2List->setObjectName(QStringLiteral("L2List"));
    m_subCode = makeBox(QStringLiteral("SubCode"), kNameLength, m_l2Frame);
    m_subCode->setReadOnly(true);   // proposed, never typed
    m_subCatCodeTxt = makeBox(QStringLiteral("SubCatCodeTxt"), kNameLength, m_l2Frame);
    m_addBttn2 = makeButton(QStringLiteral("Add"), QStringLiteral("AddBttn2"), m_l2Frame);
    m_saveBttn2 = makeButton(QStringLiteral("Save"), QStringLiteral("SaveBttn2"), m_l2Frame);
    m_delBttn2 = makeButton(QStringLiteral("Delete"), QStringLiteral("DelBttn2"), m_l2Frame);
    m_cancelBttn2 = makeButton(QStringLiteral("Cancel"), QStringLiteral("CancelBttn2"), m_l2Frame);
    m_printBttn[1] = makeButton(QStringLiteral("Chart"), QStringLiteral("PrintBttn1"), m_l2Frame);
    {
        auto* form = new QFormLayout;
        form->addRow(QStringLiteral("Sub Account Code"), m_subCode);
        form->addRow(QStringLiteral("Sub Account Type"), m_subCatCodeTxt);
        auto* box = new QVBoxLayout(m_l2Frame);
        box->addWidget(m_l2List);
        box->addLayout(form);
        box->addLayout(
            buttonRow({m_addBttn2, m_saveBttn2, m_delBttn2, m_cancelBttn2, m_printBttn[1]}));
    }

    // --- accounts ---
    m_l3Frame = makeFrame(QStringLiteral("List of Accounts"), QStringLiteral("L3Frame"), this);
    m_l3List = new QListWidget(m_l3Frame);
    m_l3List->setObjectName(QStringLiteral("L3List"));
    m_accCode = makeBox(QStringLiteral("AccCode"), kNameLength, m_l3Frame);
    m_accCode->setReadOnly(true);   // proposed, never typed
    m_accCodeTxt = makeBox(QStringLiteral("AccCodeTxt"), kNameLength, m_l3Frame);
    m_addBttn3 = makeButton(QStringLiteral("Add"), QStringLiteral("AddBttn3"), m_l3Frame);
    m_saveBttn3 = makeButton(QStringLiteral("Save"), QStringLiteral("SaveBttn3"), m_l3Frame);
    m_delBttn3 = makeButton(QStringLiteral("Delete"), QStringLiteral("DelBttn3"), m_l3Frame);
    m_cancelBttn3 = makeButton(QStringLiteral("Cancel"), QStringLiteral("CancelBttn3"), m_l3Frame);
    m_printBttn[2] = makeButton(QStringLiteral("Chart"), QStringLiteral("PrintBttn2"), m_l3Frame);
    m_findBttn = makeButton(QStringLiteral("Find"), QStringLiteral("FindBttn"), m_l3Frame);
    m_scFrame = new QLabel(
        QStringLiteral("Press:  Ctrl+N to add new account, Ctrl+S to save changes and ESC to cancel changes"),
        m_l3Frame);
    m_scFrame->setObjectName(QStringLiteral("SCFrame"));
    m_scFrame->setWordWrap(true);
    {
        auto* form = new QFormLayout;
        form->addRow(QStringLiteral("Account Code"), m_accCode);
        form->addRow(QStringLiteral("Account Name"), m_accCodeTxt);
        auto* box = new QVBoxLayout(m_l3Frame);
        box->addWidget(m_l3List);
        box->addLayout(form);
        box->addLayout(buttonRow({m_addBttn3, m_saveBttn3, m_delBttn3, m_cancelBttn3}));
        box->addLayout(buttonRow({m_findBttn, m_printBttn[2]}));
        box->addWidget(m_scFrame);
    }

    auto* panels = new QHBoxLayout;
    panels->addWidget(m_l1Frame);
    panels->addWidget(m_l2Frame);
    panels->addWidget(m_l3Frame);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addLayout(panels);

    connect(m_l1List, &QListWidget::currentRowChanged, this, [this] { L1List_Click(); });
    connect(m_l2List, &QListWidget::currentRowChanged, this, [this] { L2List_Click(); });
    connect(m_l3List, &QListWidget::currentRowChanged, this, [this] { L3List_Click(); });
    connect(m_mainCode, &QLineEdit::textChanged, this, [this] { MainCode_Change(); });
    connect(m_fsList, &QComboBox::currentTextChanged, this, [this] { FSList_Change(); });
    connect(m_addBttn, &QPushButton::clicked, this, &ModifyAccounts::AddBttn_Click);
    connect(m_saveBttn, &QPushButton::clicked, this, &ModifyAccounts::SaveBttn_Click);
    connect(m_delBttn, &QPushButton::clicked, this, &ModifyAccounts::DelBttn_Click);
    connect(m_cancelBttn, &QPushButton::clicked, this, &ModifyAccounts::CancelBttn_Click);
    connect(m_addBttn2, &QPushButton::clicked, this, &ModifyAccounts::AddBttn2_Click);
    connect(m_saveBttn2, &QPushButton::clicked, this, &ModifyAccounts::SaveBttn2_Click);
    connect(m_delBttn2, &QPushButton::clicked, this, &ModifyAccounts::DelBttn2_Click);
    connect(m_cancelBttn2, &QPushButton::clicked, this, &ModifyAccounts::CancelBttn2_Click);
    connect(m_addBttn3, &QPushButton::clicked, this, &ModifyAccounts::AddBttn3_Click);
    connect(m_saveBttn3, &QPushButton::clicked, this, &ModifyAccounts::SaveBttn3_Click);
    connect(m_delBttn3, &QPushButton::clicked, this, &ModifyAccounts::DelBttn3_Click);
    connect(m_cancelBttn3, &QPushButton::clicked, this, &ModifyAccounts::CancelBttn3_Click);
    connect(m_findBttn, &QPushButton::clicked, this, &ModifyAccounts::FindBttn_Click);
    for (int index = 0; index < static_cast<int>(m_printBttn.size()); ++index)
        connect(m_printBttn[index], &QPushButton::clicked, this, [this, index] { PrintBttn_Click(index); });

    // The window sees each key before the control with the focus; the four boxes
    // select their text when they take the focus.
    for (QWidget* w : findChildren<QWidget*>())
        w->installEventFilter(this);
}

// --- load, keys, close ---

void ModifyAccounts::Form_Load()
{
    AddingMainType = false;
    AddingSubType = false;
    AddingAccount = false;
    try {
        m_natures = openNatures(m_db);
        const QSignalBlocker quiet(m_fsList);
        m_fsList->clear();
        for (auto walk = m_natures.clone(); !walk.eof(); walk.moveNext())
            m_fsList->addItem(textOf(walk, "AccNatureTop"), QVariant::fromValue<qlonglong>(codeOf(walk, "NatureID")));
    } catch (const std::exception& e) {
        forms::showError(this, e);
    }
    reloadMainTypes(std::nullopt);
    setPanels();
}

bool ModifyAccounts::Form_KeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    if (!m_l3Frame->isEnabled())
        return false;
    const bool ctrlOnly = (modifiers & ~Qt::KeypadModifier) == Qt::ControlModifier;
    if (key == Qt::Key_N && ctrlOnly) {
        AddBttn3_Click();   // does nothing while a new account is pending
        return true;
    }
    if (key == Qt::Key_S && ctrlOnly) {
        SaveBttn3_Click();
        return true;
    }
    if (key == Qt::Key_Escape) {
        CancelBttn3_Click();
        return true;
    }
    return false;
}

bool ModifyAccounts::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (Form_KeyDown(key->key(), key->modifiers()))
            return true;
    } else if (event->type() == QEvent::FocusIn) {
        // Deferred: a mouse click that gave the focus would otherwise place the
        // cursor over the selection straight away.
        for (QLineEdit* box : {m_mainCode, m_catCodeTxt, m_subCatCodeTxt, m_accCodeTxt}) {
            if (watched == box)
                QTimer::singleShot(0, box, &QLineEdit::selectAll);
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ModifyAccounts::keyPressEvent(QKeyEvent* event)
{
    if (Form_KeyDown(event->key(), event->modifiers())) {
        event->accept();
        return;
    }
    // Esc cancels an account and nothing else; it never closes the window.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

// Every way of closing (the title bar, accept, reject) ends here.
void ModifyAccounts::done(int result)
{
    Form_QueryUnload();
    Form_Unload();
    QDialog::done(result);
}

void ModifyAccounts::Form_QueryUnload()
{
    // Nothing pending was ever written: rows reach the database only through
    // a Save that passed its checks. Leaving the adding states is all there is.
    AddingMainType = false;
    AddingSubType = false;
    AddingAccount = false;
}

void ModifyAccounts::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    m_accounts.close();
    m_subTypes.close();
    m_mainTypes.close();
    m_natures.close();
    m_main.enableAccTimer();
}

// --- panels and the cascade ---

void ModifyAccounts::setPanels()
{
    // While one level adds, the panels that could move its parent are disabled,
    // so at most one new row is pending in the whole window.
    const bool browse1 = !AddingMainType;
    const bool browse2 = !AddingSubType;
    const bool browse3 = !AddingAccount;

    m_l1Frame->setEnabled(browse2 && browse3);
    m_l1List->setEnabled(browse1);
    m_addBttn->setEnabled(browse1);
    m_delBttn->setEnabled(browse1);
    m_mainCode->setReadOnly(browse1);
    m_fsList->setEnabled(!browse1);

    m_l2Frame->setEnabled(m_mainTypes.recordCount() > 0 && browse1 && browse3);
    m_l2List->setEnabled(browse2);
    m_addBttn2->setEnabled(browse2);
    m_delBttn2->setEnabled(browse2);

    // The accounts panel would otherwise open on an existing main type whose
    // code is being typed for a new one.
    const bool accounts = m_subTypes.recordCount() > 0 && browse1 && browse2;
    m_l3Frame->setEnabled(accounts);
    m_scFrame->setVisible(accounts);
    m_l3List->setEnabled(browse3);
    m_addBttn3->setEnabled(browse3);
    m_delBttn3->setEnabled(browse3);
    // The search positions all three lists, so it waits while any row is pending.
    m_findBttn->setEnabled(browse1 && browse2 && browse3);
}

// The three reloads show their own database failures: a level that cannot be
// read is shown empty, never with the rows of another parent.
void ModifyAccounts::reloadMainTypes(std::optional<std::int64_t> select)
{
    try {
        m_mainTypes = openMainTypes(m_db);
    } catch (const std::exception& e) {
        m_mainTypes.close();
        forms::showError(this, e);
    }
    fillList(m_l1List, m_mainTypes, "Type", "TypeID");
    if (select)
        moveToCode(m_mainTypes, "TypeID", *select);
    showMainType();
}

void ModifyAccounts::reloadSubTypes(std::optional<std::int64_t> select)
{
    const auto mainType = parseCode(m_mainCode->text().toStdString()).value_or(0);
    try {
        m_subTypes = openSubTypes(m_db, mainType);
    } catch (const std::exception& e) {
        m_subTypes.close();
        forms::showError(this, e);
    }
    fillList(m_l2List, m_subTypes, "L2AccName", "Level2ID");
    if (select)
        moveToCode(m_subTypes, "Level2ID", *select);
    showSubType();
}

void ModifyAccounts::reloadAccounts(std::optional<std::int64_t> select)
{
    const auto subType = parseCode(m_subCode->text().toStdString()).value_or(0);
    try {
        m_accounts = openAccounts(m_db, subType);
    } catch (const std::exception& e) {
        m_accounts.close();
        forms::showError(this, e);
    }
    fillList(m_l3List, m_accounts, "AccName", "AccCode");
    if (select)
        moveToCode(m_accounts, "AccCode", *select);
    showAccount();
}

namespace {

std::optional<NatureRange> rangeOf(const platform::Recordset& natures, std::int64_t natureId)
{
    if (!natures.isOpen())
        return std::nullopt;
    auto search = natures.clone();
    if (!search.find("NatureID", platform::Value{natureId}, true))
        return std::nullopt;
    return NatureRange{search["StartAt"].toInt(), search["EndAt"].toInt()};
}

} // namespace

void ModifyAccounts::showMainType()
{
    std::optional<std::int64_t> nature;
    if (hasCurrent(m_mainTypes)) {
        const std::int64_t code = codeOf(m_mainTypes, "TypeID");
        setQuietly(m_mainCode, QString::number(code));
        setQuietly(m_catCodeTxt, textOf(m_mainTypes, "Type"));
        nature = codeOf(m_mainTypes, "NatureID");
        markInList(m_l1List, code);
    } else {
        setQuietly(m_mainCode, QString());
        setQuietly(m_catCodeTxt, QString());
        clearMark(m_l1List);
    }
    {
        const QSignalBlocker quiet(m_fsList);
        const int i = nature ? m_fsList->findData(QVariant::fromValue<qlonglong>(*nature)) : -1;
        m_fsList->setCurrentIndex(i);
        if (i < 0)
            m_fsList->setEditText(QString());
    }
    // The range of the type shown, not of whichever nature was chosen last.
    const auto range = nature ? rangeOf(m_natures, *nature) : std::nullopt;
    m_valueLbl->setText(range ? QString::fromStdString(rangeCaption(*range)) : QString());
    MainCode_Change();
}

void ModifyAccounts::showSubType()
{
    if (hasCurrent(m_subTypes)) {
        const std::int64_t code = codeOf(m_subTypes, "Level2ID");
        setQuietly(m_subCode, QString::number(code));
        setQuietly(m_subCatCodeTxt, textOf(m_subTypes, "L2AccName"));
        markInList(m_l2List, code);
    } else {
        setQuietly(m_subCode, QString());
        setQuietly(m_subCatCodeTxt, QString());
        clearMark(m_l2List);
    }
    SubCode_Change();
}

void ModifyAccounts::showAccount()
{
    if (hasCurrent(m_accounts)) {
        const std::int64_t code = codeOf(m_accounts, "AccCode");
        setQuietly(m_accCode, QString::number(code));
        setQuietly(m_accCodeTxt, textOf(m_accounts, "AccName"));
        markInList(m_l3List, code);
    } else {
        setQuietly(m_accCode, QString());
        setQuietly(m_accCodeTxt, QString());
        clearMark(m_l3List);
    }
}

void ModifyAccounts::MainCode_Change()
{
    reloadSubTypes(std::nullopt);
    setPanels();
}

void ModifyAccounts::SubCode_Change()
{
    reloadAccounts(std::nullopt);
    setPanels();
}

void ModifyAccounts::L1List_Click()
{
    const auto code = listedCode(m_l1List);
    // A row that is no longer there leaves the shown one as it is.
    if (!code || !moveToCode(m_mainTypes, "TypeID", *code))
        return;
    showMainType();
}

void ModifyAccounts::L2List_Click()
{
    const auto code = listedCode(m_l2List);
    if (!code || !moveToCode(m_subTypes, "Level2ID", *code))
        return;
    showSubType();
}

void ModifyAccounts::L3List_Click()
{
    const auto code = listedCode(m_l3List);
    if (!code || !moveToCode(m_accounts, "AccCode", *code))
        return;
    showAccount();
}

void ModifyAccounts::FindBttn_Click()
{
    if (AddingMainType || AddingSubType || AddingAccount)
        return;
    auto* search = new ChartofAccounts(m_main, *this, this);
    search->setAttribute(Qt::WA_DeleteOnClose);
    forms::WindowHost::runModal(search);
}

bool ModifyAccounts::showAccountOf(std::int64_t typeId, std::int64_t level2Id, std::int64_t accCode)
{
    if (AddingMainType || AddingSubType || AddingAccount)
        return false;
    // Each show cascades to the first row of the level below; the next step
    // moves that level on to the picked row.
    reloadMainTypes(typeId);
    if (hasCurrent(m_subTypes) && moveToCode(m_subTypes, "Level2ID", level2Id))
        showSubType();
    const bool shown = hasCurrent(m_accounts) && moveToCode(m_accounts, "AccCode", accCode);
    if (shown)
        showAccount();
    setPanels();
    return shown && hasCurrent(m_mainTypes) && codeOf(m_mainTypes, "TypeID") == typeId
           && codeOf(m_subTypes, "Level2ID") == level2Id;
}

std::optional<std::int64_t> ModifyAccounts::chosenNature() const
{
    const int i = m_fsList->findText(m_fsList->currentText(), Qt::MatchFixedString);
    if (i < 0)
        return std::nullopt;
    return m_fsList->itemData(i).toLongLong();
}

bool ModifyAccounts::refuse(const std::optional<ChartProblem>& problem)
{
    if (!problem)
        return false;
    refuse(*problem);
    return true;
}

void ModifyAccounts::refuse(const ChartProblem& problem)
{
    forms::showFailure(this, {QString::fromStdString(problem.title), QString::fromStdString(problem.message),
                              QString::fromStdString(problem.focus)});
}


// --- main types ---

void ModifyAccounts::AddBttn_Click()
{
    if (!m_addBttn->isEnabled())
        return;
    AddingMainType = true;
    setQuietly(m_catCodeTxt, QString());
    m_valueLbl->clear();
    {
        const QSignalBlocker quiet(m_fsList);
        m_fsList->setCurrentIndex(-1);
        m_fsList->setEditText(QString());
    }
    clearMark(m_l1List);
    setQuietly(m_mainCode, QString());
    MainCode_Change();
    setPanels();
    m_fsList->setFocus(Qt::OtherFocusReason);
}

void ModifyAccounts::FSList_Change()
{
    if (!AddingMainType)
        return;
    const auto natureId = chosenNature();
    const auto range = natureId ? rangeOf(m_natures, *natureId) : std::nullopt;
    if (!range) {
        m_mainCode->clear();
        m_valueLbl->clear();
        return;
    }
    m_valueLbl->setText(QString::fromStdString(rangeCaption(*range)));
    try {
        m_mainCode->setText(codeText(proposeMainType(*range, highestMainType(m_db, *natureId))));
    } catch (const std::exception& e) {
        forms::showError(this, e);
    }
}

void ModifyAccounts::SaveBttn_Click()
{
    if (!m_saveBttn->isEnabled())
        return;
    MainTypeSave save;
    save.adding = AddingMainType;
    save.hasRows = hasCurrent(m_mainTypes);
    // A stored type shows its own nature, and the list is locked then, so the
    // chosen nature is the type's own in both cases.
    const auto natureId = chosenNature();
    if (natureId)
        save.nature = rangeOf(m_natures, *natureId);
    save.code = m_mainCode->text().toStdString();
    save.name = m_catCodeTxt->text().toStdString();
    if (!AddingMainType && save.hasRows)
        save.ownCode = codeOf(m_mainTypes, "TypeID");

    std::int64_t saved = 0;
    try {
        if (refuse(checkMainTypeSave(save, [this](std::int64_t code) { return mainTypeExists(m_db, code); })))
            return;
        platform::Transaction tx(m_db);
        if (AddingMainType) {
            saved = *parseCode(save.code);
            insertMainType(tx, {saved, save.name, *natureId});
        } else {
            saved = *save.ownCode;
            renameMainType(tx, saved, save.name);
        }
        tx.commit();
    } catch (const std::exception& e) {
        forms::showError(this, e);
        return;
    }
    AddingMainType = false;
    reloadMainTypes(saved);
    setPanels();
    m_l1List->setFocus(Qt::OtherFocusReason);
}

void ModifyAccounts::DelBttn_Click()
{
    if (!m_delBttn->isEnabled())
        return;
    const bool row = hasCurrent(m_mainTypes);
    const std::int64_t code = row ? codeOf(m_mainTypes, "TypeID") : 0;
    try {
        if (refuse(checkDelete(ChartLevel::MainType, row, row && hasSubTypes(m_db, code))))
            return;
        const auto question = deleteQuestion(ChartLevel::MainType);
        if (forms::askBeforeDestroying(this, QString::fromStdString(question.title),
                                       QString::fromStdString(question.text))
            != forms::Answer::Yes)
            return;
        platform::Transaction tx(m_db);
        deleteMainType(tx, code);
        tx.commit();
    } catch (const std::exception& e) {
        if (isConstraint(e))
            refuse(inUseRefusal(ChartLevel::MainType));
        else
            forms::showError(this, e);
        return;
    }
    reloadMainTypes(std::nullopt);
    setPanels();
}

void ModifyAccounts::CancelBttn_Click()
{
    if (!m_cancelBttn->isEnabled() || (!AddingMainType && !hasCurrent(m_mainTypes)))
        return;
    const auto keep = AddingMainType ? std::nullopt : std::optional{codeOf(m_mainTypes, "TypeID")};
    AddingMainType = false;
    reloadMainTypes(keep);
    setPanels();
    m_l1List->setFocus(Qt::OtherFocusReason);
}

// --- sub types ---

void ModifyAccounts::AddBttn2_Click()
{
    if (!m_addBttn2->isEnabled() || !hasCurrent(m_mainTypes))
        return;
    const std::int64_t mainType = codeOf(m_mainTypes, "TypeID");
    std::optional<std::int64_t> code;
    try {
        code = proposeSubType(mainType, highestSubType(m_db, mainType));
    } catch (const std::exception& e) {
        forms::showError(this, e);
        return;
    }
    AddingSubType = true;
    setQuietly(m_subCode, codeText(code));
    setQuietly(m_subCatCodeTxt, QString());
    clearMark(m_l2List);
    SubCode_Change();
    setPanels();
    m_subCatCodeTxt->setFocus(Qt::OtherFocusReason);
}

void ModifyAccounts::SaveBttn2_Click()
{
    if (!m_saveBttn2->isEnabled())
        return;
    const ChildSave save{AddingSubType, hasCurrent(m_subTypes), parseCode(m_subCode->text().toStdString()),
                         m_subCatCodeTxt->text().toStdString()};
    if (refuse(checkChildSave(ChartLevel::SubType, save)))
        return;
    // The panel is enabled only under a stored main type.
    assert(hasCurrent(m_mainTypes));
    const SubTypeRow row{*save.code, save.name, codeOf(m_mainTypes, "TypeID")};
    try {
        platform::Transaction tx(m_db);
        if (AddingSubType)
            insertSubType(tx, row);
        else
            updateSubType(tx, row);
        tx.commit();
    } catch (const std::exception& e) {
        forms::showError(this, e);
        return;
    }
    AddingSubType = false;
    reloadSubTypes(row.level2Id);
    setPanels();
    m_l2List->setFocus(Qt::OtherFocusReason);
}

void ModifyAccounts::DelBttn2_Click()
{
    if (!m_delBttn2->isEnabled())
        return;
    const bool row = hasCurrent(m_subTypes);
    const std::int64_t code = row ? codeOf(m_subTypes, "Level2ID") : 0;
    try {
        if (refuse(checkDelete(ChartLevel::SubType, row, row && hasAccounts(m_db, code))))
            return;
        const auto question = deleteQuestion(ChartLevel::SubType);
        if (forms::askBeforeDestroying(this, QString::fromStdString(question.title),
                                       QString::fromStdString(question.text))
            != forms::Answer::Yes)
            return;
        platform::Transaction tx(m_db);
        deleteSubType(tx, code);
        tx.commit();
    } catch (const std::exception& e) {
        if (isConstraint(e))
            refuse(inUseRefusal(ChartLevel::SubType));
        else
            forms::showError(this, e);
        return;
    }
    reloadSubTypes(std::nullopt);
    setPanels();
}

void ModifyAccounts::CancelBttn2_Click()
{
    if (!m_cancelBttn2->isEnabled() || (!AddingSubType && !hasCurrent(m_subTypes)))
        return;
    const auto keep = AddingSubType ? std::nullopt : std::optional{codeOf(m_subTypes, "Level2ID")};
    AddingSubType = false;
    reloadSubTypes(keep);
    setPanels();
    m_l2List->setFocus(Qt::OtherFocusReason);
}

// --- accounts ---

void ModifyAccounts::AddBttn3_Click()
{
    if (!m_addBttn3->isEnabled() || !hasCurrent(m_subTypes))
        return;
    const std::int64_t subType = codeOf(m_subTypes, "Level2ID");
    std::optional<std::int64_t> code;
    try {
        code = proposeAccount(subType, highestAccount(m_db, subType));
    } catch (const std::exception& e) {
        forms::showError(this, e);
        return;
    }
    AddingAccount = true;
    setQuietly(m_accCode, codeText(code));
    setQuietly(m_accCodeTxt, QString());
    clearMark(m_l3List);
    setPanels();
    m_accCodeTxt->setFocus(Qt::OtherFocusReason);
}

void ModifyAccounts::SaveBttn3_Click()
{
    if (!m_saveBttn3->isEnabled())
        return;
    const ChildSave save{AddingAccount, hasCurrent(m_accounts), parseCode(m_accCode->text().toStdString()),
                         m_accCodeTxt->text().toStdString()};
    if (refuse(checkChildSave(ChartLevel::Account, save)))
        return;
    // The panel is enabled only under a stored sub type of a stored main type.
    assert(hasCurrent(m_mainTypes) && hasCurrent(m_subTypes));
    const AccountRow row{*save.code, save.name, codeOf(m_mainTypes, "TypeID"), codeOf(m_subTypes, "Level2ID")};
    try {
        platform::Transaction tx(m_db);
        if (AddingAccount)
            insertAccount(tx, row);
        else
            updateAccount(tx, row);
        tx.commit();
    } catch (const std::exception& e) {
        forms::showError(this, e);
        return;
    }
    AddingAccount = false;
    reloadAccounts(row.accCode);
    setPanels();
    m_addBttn3->setFocus(Qt::OtherFocusReason);
}

void ModifyAccounts::DelBttn3_Click()
{
    if (!m_delBttn3->isEnabled())
        return;
    const bool row = hasCurrent(m_accounts);
    const std::int64_t code = row ? codeOf(m_accounts, "AccCode") : 0;
    const std::string name = row ? m_accounts["AccName"].toText() : std::string{};
    try {
        if (refuse(checkDelete(ChartLevel::Account, row, row && hasVoucherLines(m_db, code), name)))
            return;
        const auto question = deleteQuestion(ChartLevel::Account, name);
        if (forms::askBeforeDestroying(this, QString::fromStdString(question.title),
                                       QString::fromStdString(question.text))
            != forms::Answer::Yes)
            return;
        platform::Transaction tx(m_db);
        deleteAccount(tx, code);
        tx.commit();
    } catch (const std::exception& e) {
        // Lines entered after the look-up above are refused by the database's key.
        if (isConstraint(e))
            refuse(inUseRefusal(ChartLevel::Account, name));
        else
            forms::showError(this, e);
        return;
    }
    reloadAccounts(std::nullopt);
    setPanels();
}

void ModifyAccounts::CancelBttn3_Click()
{
    if (!m_cancelBttn3->isEnabled() || (!AddingAccount && !hasCurrent(m_accounts)))
        return;
    const auto keep = AddingAccount ? std::nullopt : std::optional{codeOf(m_accounts, "AccCode")};
    AddingAccount = false;
    reloadAccounts(keep);
    setPanels();
    m_l3List->setFocus(Qt::OtherFocusReason);
}

// --- printing ---

void ModifyAccounts::PrintBttn_Click(int index)
{
    if (index < 0 || index >= static_cast<int>(m_printBttn.size()) || !m_printBttn[index]->isEnabled())
        return;
    const auto part = static_cast<ChartPrint>(index);
    const auto mainType = parseCode(m_mainCode->text().toStdString());
    const auto subType = parseCode(m_subCode->text().toStdString());
    // A panel is enabled only while it shows a stored row, so its codes are
    // there; without them there is nothing of that part to print.
    if ((part != ChartPrint::Whole && !mainType) || (part == ChartPrint::SubType && !subType))
        return;
    CARst.close();   // one left open by an earlier print goes first
    try {
        CARst = openChartPrint(m_db, part, mainType.value_or(0), subType.value_or(0));
    } catch (const std::exception& e) {
        forms::showError(this, e);
        return;
    }
    account_reports::AccList(CARst, m_main.BizName, m_main.UName)->show(this);
}

} // namespace accounts
