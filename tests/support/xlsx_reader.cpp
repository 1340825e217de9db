// A zip reader over zlib's raw inflate, and the sheet XML read with
// QXmlStreamReader: enough of the workbook format for the files we write.
#include "tests/support/xlsx_reader.h"

#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <vector>

#include <QFile>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <zlib.h>

namespace testing_support {
namespace {

std::uint32_t le(const QByteArray& b, qsizetype at, int bytes)
{
    if (at < 0 || at + bytes > b.size())
        throw std::runtime_error("zip: a record runs past the end of the file");
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(b[at + i]);
    return v;
}

QByteArray inflateRaw(const QByteArray& packed, std::uint32_t size)
{
    QByteArray out(static_cast<qsizetype>(size), '\0');
    z_stream z{};
    if (inflateInit2(&z, -MAX_WBITS) != Z_OK)
        throw std::runtime_error("zip: inflate cannot start");
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.constData()));
    z.avail_in = static_cast<uInt>(packed.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    const int rc = inflate(&z, Z_FINISH);
    inflateEnd(&z);
    if (rc != Z_STREAM_END || z.total_out != size)
        throw std::runtime_error("zip: an entry does not inflate to its size");
    return out;
}

struct Style {
    bool bold = false;
    bool blue = false;
    sheet::NumberFormat format = sheet::NumberFormat::General;
};

// The cell styles (cellXfs) by index, from the fonts and number formats they name.
std::vector<Style> readStyles(const QByteArray& xml)
{
    struct Font { bool bold = false; bool blue = false; };
    std::vector<Font> fonts;
    std::map<int, QString> codes;
    std::vector<Style> styles;
    bool inFonts = false, inXfs = false;
    QXmlStreamReader r(xml);
    while (!r.atEnd()) {
        r.readNext();
        const auto name = r.name();
        if (r.isStartElement()) {
            if (name == u"fonts") inFonts = true;
            else if (name == u"cellXfs") inXfs = true;
            else if (inFonts && name == u"font") fonts.emplace_back();
            else if (inFonts && name == u"b" && !fonts.empty()) fonts.back().bold = true;
            else if (inFonts && name == u"color" && !fonts.empty())
                fonts.back().blue = r.attributes().value(QLatin1String("rgb")).compare(u"FF0000FF", Qt::CaseInsensitive) == 0;
            else if (name == u"numFmt")
                codes[r.attributes().value(QLatin1String("numFmtId")).toInt()] = r.attributes().value(QLatin1String("formatCode")).toString();
            else if (inXfs && name == u"xf") {
                Style s;
                const auto font = static_cast<std::size_t>(r.attributes().value(QLatin1String("fontId")).toInt());
                if (font < fonts.size()) {
                    s.bold = fonts[font].bold;
                    s.blue = fonts[font].blue;
                }
                const QString code = codes[r.attributes().value(QLatin1String("numFmtId")).toInt()];
                for (const auto f : {sheet::NumberFormat::Integer, sheet::NumberFormat::Amount, sheet::NumberFormat::Date})
                    if (code == QLatin1String(sheet::formatCode(f)))
                        s.format = f;
                styles.push_back(s);
            }
        } else if (r.isEndElement()) {
            if (name == u"fonts") inFonts = false;
            else if (name == u"cellXfs") inXfs = false;
        }
    }
    if (r.hasError())
        throw std::runtime_error("styles: " + r.errorString().toStdString());
    return styles;
}

std::vector<QString> readSharedStrings(const QByteArray& xml)
{
    std::vector<QString> strings;
    QXmlStreamReader r(xml);
    while (!r.atEnd()) {
        r.readNext();
        if (r.isStartElement() && r.name() == u"si")
            strings.emplace_back();
        else if (r.isStartElement() && r.name() == u"t" && !strings.empty())
            strings.back() += r.readElementText();
    }
    return strings;
}

// A stored text as a spreadsheet reads it: "_x0001_" stands for a character
// that XML cannot carry.
QString unescaped(QString text)
{
    static const QRegularExpression escape(QStringLiteral("_x([0-9A-Fa-f]{4})_"));
    QRegularExpressionMatch m;
    qsizetype from = 0;
    while ((m = escape.match(text, from)).hasMatch()) {
        const QChar ch(static_cast<char16_t>(m.captured(1).toUShort(nullptr, 16)));
        text.replace(m.capturedStart(), m.capturedLength(), ch);
        from = m.capturedStart() + 1;
    }
    return text;
}

// Row and column of "C9".
std::pair<int, int> placeOf(const QString& ref)
{
    int column = 0;
    qsizetype i = 0;
    while (i < ref.size() && ref[i].isUpper())
        column = column * 26 + (ref[i++].unicode() - 'A' + 1);
    bool ok = false;
    const int row = ref.mid(i).toInt(&ok);
    if (!ok || column == 0)
        throw std::runtime_error("sheet: a cell without a place: " + ref.toStdString());
    return {row, column - 1};
}

} // namespace

std::map<std::string, QByteArray> unzipEntries(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error("zip: cannot open " + path.toStdString());
    const QByteArray b = f.readAll();
    qsizetype end = b.size() - 22;
    while (end >= 0 && le(b, end, 4) != 0x06054b50)
        --end;
    if (end < 0)
        throw std::runtime_error("zip: no end of central directory in " + path.toStdString());
    const std::uint32_t count = le(b, end + 10, 2);
    qsizetype at = le(b, end + 16, 4);
    std::map<std::string, QByteArray> entries;
    for (std::uint32_t i = 0; i < count; ++i) {
        if (le(b, at, 4) != 0x02014b50)
            throw std::runtime_error("zip: a broken central directory");
        const std::uint32_t method = le(b, at + 10, 2);
        const std::uint32_t packedSize = le(b, at + 20, 4);
        const std::uint32_t size = le(b, at + 24, 4);
        const std::uint32_t nameLength = le(b, at + 28, 2);
        const std::uint32_t extra = le(b, at + 30, 2);
        const std::uint32_t comment = le(b, at + 32, 2);
        const qsizetype local = le(b, at + 42, 4);
        const std::string name = b.mid(at + 46, nameLength).toStdString();
        at += 46 + nameLength + extra + comment;

        if (le(b, local, 4) != 0x04034b50)
            throw std::runtime_error("zip: a broken local header for " + name);
        const qsizetype data = local + 30 + le(b, local + 26, 2) + le(b, local + 28, 2);
        const QByteArray packed = b.mid(data, packedSize);
        if (method == 0)
            entries[name] = packed;
        else if (method == 8)
            entries[name] = inflateRaw(packed, size);
        else
            throw std::runtime_error("zip: an unknown compression for " + name);
    }
    return entries;
}

sheet::Sheet readWorkbook(const QString& path)
{
    const auto entries = unzipEntries(path);
    const auto find = [&](const char* name) {
        const auto it = entries.find(name);
        return it == entries.end() ? QByteArray() : it->second;
    };
    const QByteArray sheetXml = find("xl/worksheets/sheet1.xml");
    if (sheetXml.isEmpty())
        throw std::runtime_error("the workbook has no first sheet");
    const std::vector<Style> styles = readStyles(find("xl/styles.xml"));
    const std::vector<QString> shared = readSharedStrings(find("xl/sharedStrings.xml"));

    sheet::Sheet out;
    QXmlStreamReader r(sheetXml);
    while (!r.atEnd()) {
        r.readNext();
        if (!r.isStartElement())
            continue;
        if (r.name() == u"col") {
            const auto a = r.attributes();
            // Stored as the width in characters plus the padding of a cell
            // (5 pixels of a 7-pixel digit); given back in characters.
            const double stored = a.value(QLatin1String("width")).toDouble();
            const double chars = std::round((stored * 7 - 5) / 7 * 100) / 100;
            for (int c = a.value(QLatin1String("min")).toInt(); c <= a.value(QLatin1String("max")).toInt(); ++c)
                out.setColumnWidth(c - 1, chars);
        } else if (r.name() == u"c") {
            const auto a = r.attributes();
            const auto [row, column] = placeOf(a.value(QLatin1String("r")).toString());
            const QString type = a.value(QLatin1String("t")).toString();
            const auto styleIndex = static_cast<std::size_t>(a.value(QLatin1String("s")).toInt());
            const Style style = styleIndex < styles.size() ? styles[styleIndex] : Style{};
            QString value, formula, inlineText;
            while (r.readNextStartElement()) {
                if (r.name() == u"v") value = r.readElementText();
                else if (r.name() == u"f") formula = r.readElementText();
                else if (r.name() == u"is") {
                    while (r.readNextStartElement())
                        inlineText += r.name() == u"t" ? r.readElementText()
                                                      : (r.skipCurrentElement(), QString());
                } else r.skipCurrentElement();
            }
            sheet::Cell cell;
            if (!formula.isEmpty())
                throw std::runtime_error("sheet: cell " + sheet::cellAddress(row, column) + " holds a formula");
            if (type == u"s") {
                const auto i = static_cast<std::size_t>(value.toInt());
                cell = sheet::Cell::textCell(unescaped(i < shared.size() ? shared[i] : QString()));
            } else if (type == u"inlineStr") {
                cell = sheet::Cell::textCell(unescaped(inlineText));
            } else if (type == u"str") {
                cell = sheet::Cell::textCell(unescaped(value));
            } else if (!value.isEmpty()) {
                cell.kind = sheet::Cell::Kind::Number;
                cell.number = value.toDouble();
                cell.format = style.format;
            }
            cell.bold = style.bold;
            cell.blue = style.blue;
            out.write(row, column, cell);
        }
    }
    if (r.hasError())
        throw std::runtime_error("sheet: " + r.errorString().toStdString());
    return out;
}

} // namespace testing_support
