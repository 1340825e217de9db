// Banded report layouts as C++ objects: a report of sections, each holding
// labels, bound text boxes, function boxes, lines and shapes placed in twips.
// Laying them out into pages is engine.h's work; showing them, preview.h's.
#pragma once

#include <deque>
#include <string>

#include <QColor>
#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <QStringView>

#include "platform/data/value.h"

namespace report {

using Twips = int;
inline constexpr Twips kTwipsPerInch = 1440;

// A rectangle in twips: from the left edge of the printable width and from
// the top of its section (in a layout), or from the paper's corner (in pages).
struct Rect {
    Twips left = 0;
    Twips top = 0;
    Twips width = 0;
    Twips height = 0;
    Twips right() const { return left + width; }
    Twips bottom() const { return top + height; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

struct Margins {
    Twips left = 1440;
    Twips right = 1440;
    Twips top = 1440;
    Twips bottom = 1440;
};

enum class SectionKind { ReportHeader, PageHeader, GroupHeader, Detail, GroupFooter, PageFooter, ReportFooter };
enum class ControlKind { Label, TextBox, Function, Line, Shape };
enum class Align { Left, Centre, Right };
enum class Aggregate { Sum, Count };

struct Font {
    QString family = QStringLiteral("Arial");
    double points = 8.25;
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

// How a text or function box shows its value. Amounts are whole cents and
// go through platform::formatMoney; dates are stored ISO texts and go through
// platform::formatDate.
struct DataFormat {
    enum class Kind { Plain, Money, Number, Date, YesNo };
    Kind kind = Kind::Plain;
    std::string pattern;   // the number or date pattern, or the text shown for yes

    static DataFormat money(std::string pattern) { return {Kind::Money, std::move(pattern)}; }
    static DataFormat number(std::string pattern) { return {Kind::Number, std::move(pattern)}; }
    static DataFormat date(std::string pattern) { return {Kind::Date, std::move(pattern)}; }
    static DataFormat yesNo(std::string yesText) { return {Kind::YesNo, std::move(yesText)}; }

    // The text of `v` in this format. Null shows as "" in every kind. Plain
    // shows the value's own text; Money reads whole cents, Number a whole
    // number; Date reads "YYYY-MM-DD" (anything else shows ""); YesNo shows
    // the pattern for a non-zero number and "" otherwise. Throws
    // std::invalid_argument when Money or Number meet a value that is no
    // whole number, or for a pattern formatMoney refuses.
    QString apply(const platform::Value& v) const;
};

// One control of a section. Positions are in twips within the section; a
// line runs from the rectangle's top left to its bottom right corner.
struct Control {
    ControlKind kind = ControlKind::Label;
    QString name;
    Rect rect;
    QString caption;                 // label: its text, may hold "%p", "%P", "%d"
    std::string member;              // text and function boxes: data member, "" for the top level
    std::string field;               // text and function boxes: the field shown or summed
    Aggregate aggregate = Aggregate::Sum;
    DataFormat format;
    Font font;
    Align align = Align::Left;
    QColor foreColor = Qt::black;    // text, line and the default border colour
    QColor backColor;                // invalid: transparent (shapes: the fill)
    QColor borderColor;              // invalid: no border (lines ignore it)
    Twips lineWidth = 15;            // lines and borders
    bool canGrow = false;
    bool visible = true;
    // Holds a figure (an amount, a number, a date, or a text made from one,
    // such as a voucher reference): never wrapped or cut, but set smaller
    // when wider than its box. A Money, Number or Date format implies it.
    bool figure = false;

    // Whether the box shows a figure: `figure`, or a Money, Number or Date format.
    bool holdsFigure() const;

    // Builder setters: each sets what it names and returns the control.
    Control& setCaption(QString text) { caption = std::move(text); return *this; }
    Control& setMember(std::string name) { member = std::move(name); return *this; }
    Control& setFormat(DataFormat f) { format = std::move(f); return *this; }
    Control& setFont(Font f) { font = std::move(f); return *this; }
    Control& setPoints(double size) { font.points = size; return *this; }
    Control& setBold(bool on = true) { font.bold = on; return *this; }
    Control& setItalic(bool on = true) { font.italic = on; return *this; }
    Control& setAlign(Align a) { align = a; return *this; }
    Control& setForeColor(QColor c) { foreColor = c; return *this; }
    Control& setBackColor(QColor c) { backColor = c; return *this; }
    Control& setBorder(QColor c, Twips width = 15) { borderColor = c; lineWidth = width; return *this; }
    Control& setLineWidth(Twips width) { lineWidth = width; return *this; }
    Control& setCanGrow(bool on = true) { canGrow = on; return *this; }
    Control& setVisible(bool on) { visible = on; return *this; }
    Control& setFigure(bool on = true) { figure = on; return *this; }
};

class Section {
public:
    // An empty section; Report::addSection makes them.
    Section(SectionKind kind, QString name, Twips height);

    SectionKind kind;
    QString name;
    Twips height;                    // 0 prints nothing
    bool keepTogether = false;       // never split over two pages when it fits on one
    bool pageBreakAfter = false;     // what follows starts a new page
    bool visible = true;
    std::deque<Control> controls;    // in drawing order; references stay valid

    // Add a control at `rect` and return it for further settings: a label
    // with its caption, a text box showing `field`, a function box over
    // `field`, a line, a shape filled with `fill` (invalid: not filled).
    Control& label(QString name, Rect rect, QString caption = {});
    Control& text(QString name, Rect rect, std::string field);
    Control& function(QString name, Rect rect, Aggregate aggregate, std::string field);
    Control& line(QString name, Rect rect);
    Control& shape(QString name, Rect rect, QColor fill);

    // Builder setters: each sets what it names and returns the section.
    Section& setKeepTogether(bool on = true) { keepTogether = on; return *this; }
    Section& setPageBreakAfter(bool on = true) { pageBreakAfter = on; return *this; }
    Section& setVisible(bool on) { visible = on; return *this; }

    // The control named `name`, compared without regard to case; the first
    // when names repeat. find gives null when there is none, control throws
    // std::out_of_range.
    Control* find(QStringView name);
    Control& control(QStringView name);
};

class Report {
public:
    // An empty report whose preview window is titled `caption`.
    explicit Report(QString caption);

    QString caption;                 // the preview window's title
    Twips width = 9360;              // printable width
    Margins margins;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QPageSize::PageSizeId paper = QPageSize::A4;
    std::string datePattern = "dd-MM-yyyy";   // what "%d" shows
    // In print order: report header, page header, group headers from the
    // outermost level inward, detail, group footers from the innermost level
    // outward, page footer, report footer. Group headers and footers pair up
    // with the levels of the data by their order.
    std::deque<Section> sections;

    // Appends a section (in print order, see above) and returns it.
    Section& addSection(SectionKind kind, QString name, Twips height);

    // The section named `name`, without regard to case. find gives null when
    // there is none, section throws std::out_of_range.
    Section* find(QStringView name);
    Section& section(QStringView name);
    // Sets the caption of `control` in `section` (both without regard to case).
    // Throws std::out_of_range for an unknown section or control.
    void setCaption(QStringView section, QStringView control, QString caption);
};

} // namespace report
