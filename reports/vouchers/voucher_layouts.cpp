// The two voucher layouts, in twips from the left edge of the printable width.
#include "reports/vouchers/voucher_layouts.h"

#include <QColor>

#include "platform/report/report_feed.h"
#include "reports/vouchers/voucher_query.h"

namespace reports {
namespace {

using report::Align;
using report::Aggregate;
using report::DataFormat;
using report::Section;
using report::SectionKind;
using report::Twips;

constexpr Twips kWidth = 10080;
constexpr Twips kRow = 240;         // one line of text
constexpr Twips kRuleHeight = 45;   // the thick rules are filled bars
// The totals of a voucher's 300 lines of the largest amount
// ("29,999,999,999,999,700.00", in bold) fit these columns set smaller.
constexpr Twips kDebitLeft = 6768;
constexpr Twips kDebitWidth = 1590;
constexpr Twips kCreditLeft = 8352;
constexpr Twips kCreditWidth = 1575;
constexpr Twips kNameLeft = 1440;
constexpr Twips kSignatureWidth = 1725;

const QColor kGreyBand{224, 224, 224};
const char* const kAmountFormat = "#,##0.00;(#,##0.00)";

void thickRule(Section& s, const QString& name, Twips top)
{
    s.shape(name, {0, top, kWidth, kRuleHeight}, Qt::black);
}

void addVoucherHeader(report::Report& r, VoucherLayout which)
{
    Section& s = r.addSection(SectionKind::GroupHeader, QStringLiteral("Section4"), 2800);
    s.setKeepTogether(which == VoucherLayout::Voucher2);
    s.label(QStringLiteral("CoName"), {0, 0, 8790, 400}).setPoints(14).setBold();
    s.label(QStringLiteral("CoAdd"), {0, 432, 8790, kRow});
    s.label(QStringLiteral("CoTel"), {0, 672, 8790, kRow});
    s.text(QStringLiteral("Posted"), {8928, 0, 1152, 330}, "posted")
        .setFormat(DataFormat::yesNo("POSTED"))
        .setAlign(Align::Centre)
        .setBold()
        .setPoints(10)
        .setBorder(Qt::black);
    thickRule(s, QStringLiteral("Shape1"), 1008);
    s.label(QStringLiteral("VLabel"), {4752, 1224, 5325, 330})
        .setAlign(Align::Centre)
        .setBold()
        .setPoints(11)
        .setBorder(Qt::black);
    s.label(QStringLiteral("Label1"), {0, 1296, 1005, kRow}, QStringLiteral("Serial No :")).setBold();
    s.text(QStringLiteral("DocNo"), {1008, 1296, 1290, kRow}, "docno").setFormat(DataFormat::number("0"));
    s.label(QStringLiteral("Label2"), {2448, 1296, 645, kRow}, QStringLiteral("Date :")).setBold();
    s.text(QStringLiteral("TranDate"), {3096, 1296, 1500, kRow}, "trandate")
        .setFormat(DataFormat::date("dd-MM-yyyy"));
    // Over the description line: large, and empty unless the voucher is cancelled.
    s.text(QStringLiteral("Cancel"), {0, 1440, kWidth, 855}, "cancel")
        .setFormat(DataFormat::yesNo("CANCELLED"))
        .setAlign(Align::Centre)
        .setPoints(36)
        .setBold()
        .setForeColor(QColor(255, 0, 0));
    s.label(QStringLiteral("Label3"), {0, 1728, 1290, kRow}, QStringLiteral("Description :")).setBold();
    s.text(QStringLiteral("Desc"), {1296, 1728, kWidth - 1296, kRow}, "desc").setCanGrow();
    thickRule(s, QStringLiteral("Shape2"), 2304);
    s.shape(QStringLiteral("Shape3"), {0, 2400, kWidth, 264}, kGreyBand);
    s.label(QStringLiteral("Label4"), {144, 2412, 1305, kRow}, QStringLiteral("Acc Code")).setBold();
    s.label(QStringLiteral("Label5"), {kNameLeft, 2412, 2895, kRow}, QStringLiteral("Account Name")).setBold();
    s.label(QStringLiteral("DrLbl"), {kDebitLeft, 2412, kDebitWidth, kRow}).setAlign(Align::Right).setBold();
    s.label(QStringLiteral("CrLbl"), {kCreditLeft, 2412, kCreditWidth, kRow}).setAlign(Align::Right).setBold();
    s.line(QStringLiteral("Line1"), {0, 2664, kWidth, 0}).setForeColor(Qt::gray);
}

void addVoucherLines(report::Report& r, VoucherLayout which)
{
    const bool withDescriptions = which == VoucherLayout::Voucher1;
    const Twips nameWidth = kDebitLeft - kNameLeft - (withDescriptions ? 0 : 138);
    Section& s = r.addSection(SectionKind::Detail, QStringLiteral("Section1"), withDescriptions ? 570 : 435);
    s.text(QStringLiteral("AccCode"), {144, 60, 1290, kRow}, "acccode").setMember(kVoucherLines).setFigure();
    s.text(QStringLiteral("AccName"), {kNameLeft, 60, nameWidth, kRow}, "accname").setMember(kVoucherLines).setCanGrow();
    s.text(QStringLiteral("Debit"), {kDebitLeft, 60, kDebitWidth, kRow}, "Debit")
        .setMember(kVoucherLines)
        .setFormat(DataFormat::money(kAmountFormat))
        .setAlign(Align::Right);
    s.text(QStringLiteral("Credit"), {kCreditLeft, 60, kCreditWidth, kRow}, "Credit")
        .setMember(kVoucherLines)
        .setFormat(DataFormat::money(kAmountFormat))
        .setAlign(Align::Right);
    if (withDescriptions)
        s.text(QStringLiteral("LineDesc"), {kNameLeft, 312, nameWidth, kRow}, "desc")
            .setMember(kVoucherLines)
            .setCanGrow()
            .setItalic();
}

void addVoucherFooter(report::Report& r, VoucherLayout which)
{
    Section& s = r.addSection(SectionKind::GroupFooter, QStringLiteral("Section5"),
                              which == VoucherLayout::Voucher1 ? 2593 : 2595);
    s.setKeepTogether().setPageBreakAfter();
    s.line(QStringLiteral("Line2"), {0, 144, kWidth, 0}).setForeColor(Qt::gray);
    s.label(QStringLiteral("Label6"), {kDebitLeft - 84 - 1500, 180, 1500, kRow}, QStringLiteral("Totals")).setAlign(Align::Right).setBold();
    s.function(QStringLiteral("DebitTotal"), {kDebitLeft, 180, kDebitWidth, kRow}, Aggregate::Sum, "Debit")
        .setMember(kVoucherLines)
        .setFormat(DataFormat::money(kAmountFormat))
        .setAlign(Align::Right)
        .setBold();
    s.function(QStringLiteral("CreditTotal"), {kCreditLeft, 180, kCreditWidth, kRow}, Aggregate::Sum, "Credit")
        .setMember(kVoucherLines)
        .setFormat(DataFormat::money(kAmountFormat))
        .setAlign(Align::Right)
        .setBold();
    thickRule(s, QStringLiteral("Shape4"), 432);
    // Two lines high, like the words beside it, so that a wide font wraps the caption instead of cutting it.
    s.label(QStringLiteral("Label7"), {0, 720, 1575, 2 * kRow}, QStringLiteral("Amount in Words :")).setBold();
    s.text(QStringLiteral("WordsAmt"), {1584, 720, 8490, 2 * kRow}, "wordsamt");
    const struct {
        const char* line;
        const char* label;
        const char* caption;
        Twips left;
        Align align;
    } signatures[] = {
        {"Line3", "Label8", "Prepared By", 0, Align::Left},
        {"Line4", "Label9", "Checked By", 4176, Align::Centre},
        {"Line5", "Label10", "Approved By", 8352, Align::Right},
    };
    for (const auto& sig : signatures) {
        s.line(QLatin1String(sig.line), {sig.left, 2000, kSignatureWidth, 0});
        s.label(QLatin1String(sig.label), {sig.left, 2016, kSignatureWidth, kRow}, QLatin1String(sig.caption))
            .setAlign(sig.align)
            .setBold();
    }
    s.label(QStringLiteral("PrintByLbl"), {0, 2304, 4000, kRow});
}

} // namespace

report::Report voucherLayout(VoucherLayout which)
{
    report::Report r(QStringLiteral("Voucher"));
    r.width = kWidth;
    r.margins = {1000, 500, 300, 300};
    addVoucherHeader(r, which);
    addVoucherLines(r, which);
    addVoucherFooter(r, which);
    return r;
}

void initialiseVoucher(report::ReportFeed& feed, const VoucherCaptions& captions)
{
    feed.setCaption(u"Section4", u"CoName", captions.bizName);
    feed.setCaption(u"Section4", u"CoAdd", captions.bizAdd);
    feed.setCaption(u"Section4", u"CoTel", captions.bizTel);
    feed.setCaption(u"Section4", u"DrLbl", QStringLiteral("Debit (") + captions.currencySymbol + u')');
    feed.setCaption(u"Section4", u"CrLbl", QStringLiteral("Credit (") + captions.currencySymbol + u')');
    feed.setCaption(u"Section4", u"VLabel", captions.heading);
    feed.setCaption(u"Section5", u"PrintByLbl", captions.userName);
}

} // namespace reports
