// The rights grid, the operator list and the save of the toggled cells.
#include "main/user_rights.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include "main/admin_only.h"
#include "main/parent.h"
#include "main/rights.h"
#include "main/user_store.h"
#include "main/window_parts.h"
#include "platform/data/database.h"
#include "platform/forms/messages.h"

namespace app {
namespace {

constexpr int kFirstOperatorColumn = 2;   // grid column 2 is user 2's, up to 10 for user 10

QString cellText(bool refused)
{
    return refused ? QStringLiteral("Not Allowed") : QString();
}

} // namespace

UserRights::UserRights(Parent& main, QWidget* parent) : QDialog(parent), m_main(main)
{
    setObjectName(QStringLiteral("UserRights"));
    setWindowTitle(QStringLiteral("User Rights Settings"));

    m_loginList = new QComboBox(this);
    m_loginList->setObjectName(QStringLiteral("LoginList"));
    m_uid = new QLineEdit(this);
    m_uid->setObjectName(QStringLiteral("UID"));
    m_uid->setVisible(false);

    m_grid = new QTableWidget(0, kFirstOperatorColumn + kOperatorColumns, this);
    m_grid->setObjectName(QStringLiteral("RightsGrid"));
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->verticalHeader()->setVisible(false);
    m_grid->verticalHeader()->setDefaultSectionSize(22);
    QStringList headers{QStringLiteral("RightID"), QStringLiteral(" Right Type")};
    for (int k = 0; k < kOperatorColumns; ++k)
        headers << QStringLiteral("   Right Allowed Status");
    m_grid->setHorizontalHeaderLabels(headers);
    m_grid->setColumnWidth(0, 70);
    m_grid->setColumnWidth(1, 430);
    for (int c = kFirstOperatorColumn; c < m_grid->columnCount(); ++c) {
        m_grid->setColumnWidth(c, 170);
        m_grid->setColumnHidden(c, true);
    }

    auto* save = makeButton(this, QStringLiteral("Save"), QStringLiteral("SaveBttn"));
    auto* cancel = makeButton(this, QStringLiteral("Cancel"), QStringLiteral("CancelBttn"));

    auto* pick = new QHBoxLayout;
    pick->addWidget(new QLabel(QStringLiteral("Select User"), this));
    pick->addWidget(m_loginList, 1);
    pick->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(titleLabel(this, QStringLiteral("User Rights Settings")));
    layout->addLayout(pick);
    layout->addWidget(m_grid, 1);
    layout->addWidget(new QLabel(QStringLiteral("Double-click on selected right type to change right status."), this));
    layout->addLayout(buttonRow({save, cancel}));
    resize(720, 560);

    connect(m_loginList, &QComboBox::currentIndexChanged, this, &UserRights::LoginList_Change);
    connect(m_grid, &QTableWidget::cellDoubleClicked, this, &UserRights::RightsGrid_DblClick);
    connect(save, &QPushButton::clicked, this, &UserRights::SaveBttn_Click);
    connect(cancel, &QPushButton::clicked, this, &UserRights::CancelBttn_Click);

    m_refused = refusedToOperator(this, m_main, Menu::Gen, 60);
    if (!m_refused)
        Form_Load();
}

void UserRights::Form_Load()
{
    try {
        m_sheet.load(*m_main.Pelkconn);
        const QSignalBlocker quiet(m_loginList);
        m_loginList->clear();
        for (const UserRow& u : listOperatorsByName(*m_main.Pelkconn))
            m_loginList->addItem(QString::fromStdString(u.userName), u.userId);
    } catch (const std::exception& e) {
        forms::showError(this, e);
    }
    fillGrid();
    m_loginList->setCurrentIndex(m_loginList->count() > 0 ? 0 : -1);
    LoginList_Change();
}

void UserRights::fillGrid()
{
    const auto& rows = m_sheet.rows();
    m_grid->setRowCount(static_cast<int>(rows.size()));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int r = static_cast<int>(i);
        m_grid->setItem(r, 0, new QTableWidgetItem(QString::number(rows[i].rightId)));
        m_grid->setItem(r, 1, new QTableWidgetItem(QString::fromStdString(rows[i].rightType)));
        for (int user = 2; user < 2 + kOperatorColumns; ++user)
            showCell(r, user);
    }
}

void UserRights::showCell(int row, int userId)
{
    const bool refused = m_sheet.rows()[static_cast<std::size_t>(row)].refused[static_cast<std::size_t>(userId - 2)];
    const int column = kFirstOperatorColumn + userId - 2;
    if (auto* item = m_grid->item(row, column))
        item->setText(cellText(refused));
    else
        m_grid->setItem(row, column, new QTableWidgetItem(cellText(refused)));
}

void UserRights::LoginList_Change()
{
    const int id = m_loginList->currentIndex() < 0 ? 0 : m_loginList->currentData().toInt();
    if (!operatorColumn(id))
        return;
    m_operator = id;
    m_uid->setText(QString::number(id));
    for (int user = 2; user < 2 + kOperatorColumns; ++user)
        m_grid->setColumnHidden(kFirstOperatorColumn + user - 2, user != id);
}

void UserRights::RightsGrid_DblClick()
{
    const int row = m_grid->currentRow();
    if (m_refused || row < 0 || !m_sheet.toggle(static_cast<std::size_t>(row), m_operator))
        return;
    showCell(row, m_operator);
}

void UserRights::SaveBttn_Click()
{
    if (m_refused || !m_sheet.hasChanges())
        return;
    try {
        platform::Transaction tx(*m_main.Pelkconn);
        m_sheet.save(tx);
        tx.commit();
    } catch (const std::exception& e) {
        forms::showError(this, e);
        return;
    }
    m_sheet.markSaved();
}

void UserRights::CancelBttn_Click()
{
    if (m_refused)
        return;
    try {
        m_sheet.load(*m_main.Pelkconn);
    } catch (const std::exception& e) {
        forms::showError(this, e);
        return;
    }
    fillGrid();
}

} // namespace app
