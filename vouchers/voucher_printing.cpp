// The print-layout flags and the one way a voucher report is opened and shown.
#include "vouchers/voucher_printing.h"

#include <vector>
#include <stdexcept>

#include "main/parent.h"
#include "main/voucher_kinds.h"
#include "platform/data/hierarchy.h"
#include "platform/forms/messages.h"
#include "platform/report/report_feed.h"
#include "reports/vouchers/voucher_layouts.h"
#include "vouchers/voucher_rules.h"

namespace vouchers {
namespace {

using app::Parent;

// The flags as the table of kinds holds them, in its order.
const std::vector<PrintLayoutFlag>& flags()
{
    static const std::vector<PrintLayoutFlag> all = [] {
        std::vector<PrintLayoutFlag> v;
        for (const app::VoucherKind& k : app::voucherKinds())
            v.push_back({k.tranType, k.printFlag, k.flagColumn});
        return v;
    }();
    return all;
}

const PrintLayoutFlag& flagOf(int tranType)
{
    for (const auto& f : flags())
        if (f.tranType == tranType)
            return f;
    throw std::invalid_argument("No voucher form prints type " + std::to_string(tranType) + ".");
}

} // namespace

std::span<const PrintLayoutFlag> printLayoutFlags()
{
    return flags();
}

bool printVouchers(Parent& main, QWidget* parent, int docType,
                   const std::function<platform::Hierarchy(platform::Database&)>& open, const QString& nothing)
{
    const bool withDescriptions = main.*flagOf(docType).flag;
    main.DocType = docType;
    main.VoucherRst.close();
    try {
        main.VoucherRst = open(*main.Pelkconn);
    } catch (const std::exception& e) {
        forms::showError(parent, e);
        return false;
    }
    if (main.VoucherRst.rows(0).recordCount() == 0) {
        // An empty report would open as a blank page with no word of why.
        main.VoucherRst.close();
        forms::inform(parent, QStringLiteral("Nothing to Print"), nothing);
        return false;
    }
    report::ReportFeed feed(reports::voucherLayout(withDescriptions ? reports::VoucherLayout::Voucher1
                                                                    : reports::VoucherLayout::Voucher2),
                            main.VoucherRst, report::AtEnd::CloseData);
    reports::initialiseVoucher(feed, {main.BizName, main.BizAdd, main.BizTel, main.CurrencySymbol,
                                      QString::fromUtf8(kindTexts(docType).heading), main.UName});
    try {
        feed.show(parent);
    } catch (const std::invalid_argument& e) {
        // A value the layout cannot show; the report has closed its data.
        forms::inform(parent, QStringLiteral("Cannot Print"), QString::fromUtf8(e.what()));
        return false;
    }
    return true;
}

} // namespace vouchers
