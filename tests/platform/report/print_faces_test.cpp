// Tests for the prints' faces: a layout's "Arial" draws with the loaded
// Liberation Sans whatever fonts the machine offers, text in other scripts
// draws with real glyphs in every style, and missing face files are named.
#include "platform/report/print_faces.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontInfo>
#include <QGlyphRun>
#include <QRawFont>
#include <QTemporaryDir>
#include <QTextLayout>

#include <gtest/gtest.h>

#include "platform/report/engine.h"

namespace {

struct Style {
    const char* name;
    bool bold;
    bool italic;
};

constexpr Style kStyles[] = {
    {"regular", false, false},
    {"bold", true, false},
    {"italic", false, true},
    {"bold italic", true, true},
};

report::Font layoutFont(const Style& style)
{
    report::Font f;   // the layouts' default family, "Arial"
    f.points = 8.25;
    f.bold = style.bold;
    f.italic = style.italic;
    return f;
}

} // namespace

TEST(PrintFaces, LayoutsArialDrawsWithLiberationSansInEveryStyle)
{
    for (const Style& style : kStyles) {
        SCOPED_TRACE(style.name);
        const QFontInfo info(report::qtFont(layoutFont(style)));
        EXPECT_EQ(info.family().toStdString(), "Liberation Sans");
        EXPECT_EQ(info.bold(), style.bold);
        EXPECT_EQ(info.italic(), style.italic);
    }
}

TEST(PrintFaces, OtherScriptsDrawWithRealGlyphsInEveryStyle)
{
    const struct {
        const char* script;
        QString text;
    } texts[] = {
        {"Greek", QStringLiteral("Λογαριασμός ταμείου")},
        {"Cyrillic", QStringLiteral("Расчётный счёт")},
        {"Hebrew", QStringLiteral("חשבון קופה")},
        {"Arabic", QStringLiteral("حساب الصندوق")},
        {"mixed", QStringLiteral("Cash صندوق 120.50")},
    };
    for (const Style& style : kStyles) {
        for (const auto& t : texts) {
            SCOPED_TRACE(std::string(t.script) + ", " + style.name);
            QTextLayout layout(t.text, report::qtFont(layoutFont(style)));
            layout.beginLayout();
            layout.createLine();
            layout.endLayout();
            const QList<QGlyphRun> runs = layout.glyphRuns();
            ASSERT_FALSE(runs.isEmpty());
            // Glyph 0 is a face's empty box.
            qsizetype boxes = 0;
            QStringList faces;
            for (const QGlyphRun& run : runs) {
                boxes += run.glyphIndexes().count(0u);
                faces.append(run.rawFont().familyName() + u' ' + run.rawFont().styleName());
            }
            EXPECT_EQ(boxes, 0) << faces.join(", ").toStdString();
        }
    }
}

TEST(PrintFaces, FindsEachFileInTheFirstFolderHoldingItAndNamesTheMissing)
{
    QTemporaryDir own;
    QTemporaryDir system;
    const auto touch = [](const QTemporaryDir& dir, const char* name) {
        QFile f(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    };
    touch(own, "LiberationSans-Regular.ttf");
    touch(system, "LiberationSans-Regular.ttf");
    touch(system, "LiberationSans-Bold.ttf");
    touch(system, "NotoSansArabic-Regular.ttf");

    const report::FaceFiles files = report::findFaceFiles({own.path(), system.path()});
    EXPECT_EQ(files.found, QStringList({QDir(own.path()).filePath("LiberationSans-Regular.ttf"),
                                        QDir(system.path()).filePath("LiberationSans-Bold.ttf"),
                                        QDir(system.path()).filePath("NotoSansArabic-Regular.ttf")}));
    EXPECT_EQ(files.missing, QStringList({"LiberationSans-Italic.ttf", "LiberationSans-BoldItalic.ttf",
                                          "NotoSansArabic-Bold.ttf", "NotoSansHebrew-Regular.ttf",
                                          "NotoSansHebrew-Bold.ttf"}));

    report::LoadedFaces faces;
    EXPECT_TRUE(report::missingFacesText(faces).isEmpty());
    faces.missing = files.missing;
    const QString text = report::missingFacesText(faces);
    for (const QString& name : files.missing)
        EXPECT_TRUE(text.contains(name)) << text.toStdString();
}

TEST(PrintFaces, TheProgramsOwnFacesAreLoaded)
{
    const report::LoadedFaces& faces = report::loadPrintFaces();
    EXPECT_TRUE(faces.missing.isEmpty()) << report::missingFacesText(faces).toStdString();
    EXPECT_EQ(faces.family.toStdString(), "Liberation Sans");
    EXPECT_EQ(faces.fallbacks, QStringList({"Noto Sans Arabic", "Noto Sans Hebrew"}));
    // From the copies beside the program, which the build makes.
    EXPECT_EQ(faces.files.size(), 8);
    for (const QString& file : faces.files)
        EXPECT_EQ(QFileInfo(file).absolutePath(), report::faceFolders().constFirst()) << file.toStdString();
    // Only the layouts' family is mapped; the fallbacks follow any family.
    EXPECT_EQ(report::printFamilies("arial").constFirst().toStdString(), "Liberation Sans");
    EXPECT_EQ(report::printFamilies("Courier New"),
              QStringList({"Courier New", "Noto Sans Arabic", "Noto Sans Hebrew"}));
}
