// The chart search window: the grid over the loaded chart and its filter, and
// the positioning of the chart editor on the picked account.
#include "accounts/chart_search.h"

#include <cassert>

#include <QFont>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "accounts/chart_search_store.h"
#include "accounts/modify_accounts.h"
#include "main/parent.h"
#include "platform/data/database.h"
#include "platform/forms/data_grid.h"
#include "platform/forms/fit_text.h"
#include "platform/forms/list_model.h"
#include "platform/forms/messages.h"

namespace accounts {

// The grid's rows: the loaded chart and the positions of the rows the filter keeps.
class ChartSearchModel : public forms::ListModel {
public:
    enum Column { AccCode, AccL3, TypeID, AccL1, Level2ID, AccL2 };

    explicit ChartSearchModel(QObject* parent)
        : forms::ListModel({QStringLiteral("AccCode"), QStringLiteral("Account Name"), QStringLiteral("Level1ID"),
                            QStringLiteral("Main Account Type"), QString(), QStringLiteral("Sub Account Type")},
                           parent)
    {
    }

    void setChart(std::vector<ChartSearchRow> rows)
    {
        beginResetModel();
        m_rows = std::move(rows);
        m_kept = filterChart(m_rows, QString());
        endResetModel();
    }
    void filter(const QString& text)
    {
        beginResetModel();
        m_kept = filterChart(m_rows, text);
        endResetModel();
    }
    const ChartSearchRow& row(int listed) const { return m_rows[m_kept[static_cast<std::size_t>(listed)]]; }

    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(m_kept.size());
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || role != Qt::DisplayRole)
            return {};
        const ChartSearchRow& r = row(index.row());
        switch (index.column()) {
        case AccCode:
            return QString::number(r.accCode);
        case AccL3:
            return r.accL3;
        case TypeID:
            return QString::number(r.typeId);
        case AccL1:
            return r.accL1;
        case Level2ID:
            return QString::number(r.level2Id);
        case AccL2:
            return r.accL2;
        default:
            return {};
        }
    }
private:
    std::vector<ChartSearchRow> m_rows;
    std::vector<std::size_t> m_kept;
};

ChartofAccounts::ChartofAccounts(app::Parent& main, ModifyAccounts& editor, QWidget* parent)
    : QDialog(parent)
    , m_main(main)
    , m_editor(editor)
{
    assert(main.Pelkconn);
    setObjectName(QStringLiteral("ChartofAccounts"));
    setWindowTitle(QStringLiteral("Chart of Accounts"));

    auto* heading = new QLabel(QStringLiteral("Chart of Accounts"), this);
    heading->setObjectName(QStringLiteral("HeadingLbl"));
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    headingFont.setPointSize(headingFont.pointSize() + 4);
    heading->setFont(headingFont);

    m_model = new ChartSearchModel(this);
    m_invGrid = new forms::DataGrid(this);
    m_invGrid->setObjectName(QStringLiteral("InvGrid"));
    m_invGrid->setModel(m_model);
    m_invGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_invGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_invGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_invGrid->verticalHeader()->hide();
    m_invGrid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // The three name columns wide, the three code columns narrow.
    for (int c : {ChartSearchModel::AccCode, ChartSearchModel::TypeID, ChartSearchModel::Level2ID})
        m_invGrid->setColumnWidth(c, 70);
    for (int c : {ChartSearchModel::AccL3, ChartSearchModel::AccL1, ChartSearchModel::AccL2})
        m_invGrid->setColumnWidth(c, 230);
    forms::showFiguresWhole(m_invGrid, {ChartSearchModel::AccCode, ChartSearchModel::TypeID, ChartSearchModel::Level2ID});
    forms::DataGrid::Hooks hooks;
    hooks.dblClick = [this] { InvGrid_DblClick(); };
    hooks.rowColChange = [this](int, int) { showCurrent(); };
    m_invGrid->setHooks(std::move(hooks));
    connect(m_model, &QAbstractItemModel::modelReset, this, &ChartofAccounts::showCurrent);

    m_aCode = new QLineEdit(this);
    m_aCode->setObjectName(QStringLiteral("ACode"));
    m_aCode->setReadOnly(true);
    m_aCode->hide();
    m_searchBox = new QLineEdit(this);
    m_searchBox->setObjectName(QStringLiteral("SearchBox"));
    // Every change filters, however it was made: typing, deleting or a paste.
    connect(m_searchBox, &QLineEdit::textChanged, this, &ChartofAccounts::SearchBox_KeyUp);
    m_refBttn = new QPushButton(QStringLiteral("Refresh"), this);
    m_refBttn->setObjectName(QStringLiteral("RefBttn"));
    m_refBttn->setAutoDefault(false);
    connect(m_refBttn, &QPushButton::clicked, this, &ChartofAccounts::RefBttn_Click);

    auto* search = new QHBoxLayout;
    search->addWidget(new QLabel(QStringLiteral("Search Account"), this));
    search->addWidget(m_searchBox, 1);
    search->addWidget(m_refBttn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addLayout(search);
    layout->addWidget(m_invGrid, 1);
    layout->addWidget(m_aCode);
    resize(960, 600);

    reload();
}

ChartofAccounts::~ChartofAccounts()
{
    Form_Unload();
}

void ChartofAccounts::reload()
{
    try {
        m_model->setChart(loadChartSearch(*m_main.Pelkconn));
    } catch (const std::exception& e) {
        m_model->setChart({});
        forms::showError(this, e);
    }
    if (m_model->rowCount() > 0)
        m_invGrid->setCurrentCell(0, 0);
}

void ChartofAccounts::showCurrent()
{
    const int row = m_invGrid->currentRow();
    m_aCode->setText(row >= 0 && row < m_model->rowCount() ? QString::number(m_model->row(row).accCode) : QString());
}

void ChartofAccounts::SearchBox_KeyUp()
{
    const QString text = m_searchBox->text();
    if (text.isEmpty()) {
        reload();
        return;
    }
    m_model->filter(text);
    if (m_model->rowCount() > 0)
        m_invGrid->setCurrentCell(0, 0);
}

void ChartofAccounts::RefBttn_Click()
{
    if (m_searchBox->text().isEmpty())
        reload();
    else
        m_searchBox->clear();   // its change reloads
}

void ChartofAccounts::InvGrid_DblClick()
{
    const int row = m_invGrid->currentRow();
    if (m_aCode->text().isEmpty() || row < 0 || row >= m_model->rowCount())
        return;
    const ChartSearchRow picked = m_model->row(row);
    m_editor.showAccountOf(picked.typeId, picked.level2Id, picked.accCode);
    accept();
}

void ChartofAccounts::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    m_model->setChart({});
}

void ChartofAccounts::done(int result)
{
    Form_Unload();
    QDialog::done(result);
}

std::vector<std::int64_t> ChartofAccounts::listedCodes() const
{
    std::vector<std::int64_t> codes;
    for (int i = 0; i < m_model->rowCount(); ++i)
        codes.push_back(m_model->row(i).accCode);
    return codes;
}

} // namespace accounts
