// The test host window of the voucher line grid.
#include "tests/accounts/line_grid_host.h"

#include <QLabel>

#include "main/parent.h"
#include "platform/forms/data_grid.h"

namespace testing_support {

LineGridHost::LineGridHost(app::Parent& main, std::vector<accounts::SubTranRow> lines,
                           accounts::LineGridParams params)
{
    using forms::twipsToPixels;
    setObjectName(QStringLiteral("OpeningBalancesAcc"));
    auto* heading = new QLabel(QStringLiteral("ACCOUNTS OPENING BALANCES"), this);
    heading->move(twipsToPixels(480), twipsToPixels(240));
    // The grid stands where the opening balances have it; the totals row sits under it.
    m_lines = new accounts::VoucherLineGrid(main, std::move(params), this);
    m_lines->setGeometry(twipsToPixels(480), twipsToPixels(1800), twipsToPixels(13935),
                         twipsToPixels(6975) + 40);
    resize(twipsToPixels(480 * 2 + 13935), twipsToPixels(1800 + 6975 + 900));

    const auto accountCount = main.Pelkconn ? main.Pelkconn->scalar("SELECT count(*) FROM AccLevel3").toInt() : 0;
    const std::size_t wanted = static_cast<std::size_t>(accountCount) + 500;
    m_lines->setLines(std::move(lines));
    if (m_lines->lines().size() < wanted)
        m_lines->addBlankRows(wanted - m_lines->lines().size());
    m_lines->TotalValue();
    m_lines->grid()->setCurrentCell(0, accounts::column::Code);
}

} // namespace testing_support
