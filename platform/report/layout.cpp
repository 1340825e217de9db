// Building report layouts, looking their parts up by name, and the data formats.
#include "platform/report/layout.h"

#include <limits>
#include <stdexcept>

#include "platform/text/formats.h"
#include "platform/text/money.h"

namespace report {

namespace {

std::int64_t wholeNumber(const platform::Value& v)
{
    const auto whole = v.asInt();
    if (!whole)
        throw std::invalid_argument("\"" + v.toText() + "\" is no whole number.");
    return *whole;
}

} // namespace

QString DataFormat::apply(const platform::Value& v) const
{
    if (v.isNull())
        return {};
    switch (kind) {
    case Kind::Plain:
        return QString::fromStdString(v.toText());
    case Kind::Money:
        return platform::formatMoneyQ(platform::Money::fromCents(wholeNumber(v)), pattern);
    case Kind::Number: {
        // A whole number is an amount of whole units: formatMoney then
        // rounds nothing away, and the number patterns stay in one place.
        const std::int64_t n = wholeNumber(v);
        if (n > std::numeric_limits<std::int64_t>::max() / 100
            || n < std::numeric_limits<std::int64_t>::min() / 100)
            throw std::invalid_argument("The number " + std::to_string(n) + " is too large to format.");
        return platform::formatMoneyQ(platform::Money::fromCents(n * 100), pattern);
    }
    case Kind::Date: {
        const auto date = v.isText() ? platform::parseIsoDate(v.toText()) : std::nullopt;
        return date ? platform::formatDate(*date, pattern) : QString{};
    }
    case Kind::YesNo:
        return v.toInt() != 0 ? QString::fromStdString(pattern) : QString{};
    }
    return {};
}

Section::Section(SectionKind k, QString n, Twips h) : kind{k}, name{std::move(n)}, height{h} {}

bool Control::holdsFigure() const
{
    using K = DataFormat::Kind;
    return figure || format.kind == K::Money || format.kind == K::Number || format.kind == K::Date;
}

Control& Section::label(QString controlName, Rect rect, QString caption)
{
    Control& c = controls.emplace_back();
    c.kind = ControlKind::Label;
    c.name = std::move(controlName);
    c.rect = rect;
    c.caption = std::move(caption);
    return c;
}

Control& Section::text(QString controlName, Rect rect, std::string field)
{
    Control& c = controls.emplace_back();
    c.kind = ControlKind::TextBox;
    c.name = std::move(controlName);
    c.rect = rect;
    c.field = std::move(field);
    return c;
}

Control& Section::function(QString controlName, Rect rect, Aggregate aggregate, std::string field)
{
    Control& c = controls.emplace_back();
    c.kind = ControlKind::Function;
    c.name = std::move(controlName);
    c.rect = rect;
    c.aggregate = aggregate;
    c.field = std::move(field);
    return c;
}

Control& Section::line(QString controlName, Rect rect)
{
    Control& c = controls.emplace_back();
    c.kind = ControlKind::Line;
    c.name = std::move(controlName);
    c.rect = rect;
    return c;
}

Control& Section::shape(QString controlName, Rect rect, QColor fill)
{
    Control& c = controls.emplace_back();
    c.kind = ControlKind::Shape;
    c.name = std::move(controlName);
    c.rect = rect;
    c.backColor = fill;
    return c;
}

Control* Section::find(QStringView controlName)
{
    for (Control& c : controls)
        if (c.name.compare(controlName, Qt::CaseInsensitive) == 0)
            return &c;
    return nullptr;
}

Control& Section::control(QStringView controlName)
{
    if (Control* c = find(controlName))
        return *c;
    throw std::out_of_range("The section " + name.toStdString() + " has no control "
                            + controlName.toString().toStdString() + ".");
}

Report::Report(QString c) : caption{std::move(c)} {}

Section& Report::addSection(SectionKind kind, QString name, Twips height)
{
    return sections.emplace_back(kind, std::move(name), height);
}

Section* Report::find(QStringView name)
{
    for (Section& s : sections)
        if (s.name.compare(name, Qt::CaseInsensitive) == 0)
            return &s;
    return nullptr;
}

Section& Report::section(QStringView name)
{
    if (Section* s = find(name))
        return *s;
    throw std::out_of_range("The report " + caption.toStdString() + " has no section "
                            + name.toString().toStdString() + ".");
}

void Report::setCaption(QStringView sectionName, QStringView controlName, QString text)
{
    section(sectionName).control(controlName).caption = std::move(text);
}

} // namespace report
