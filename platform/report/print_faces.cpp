// Loading the prints' faces: Liberation Sans, metric-compatible with Arial, and
// Noto Sans Arabic and Hebrew for the scripts it lacks. The fallbacks have no
// italic face, so Qt slants their upright glyphs; a fallback with italic faces
// of its own but without Arabic in them (DejaVu Sans) would print boxes.
#include "platform/report/print_faces.h"

#include <array>
#include <cstdio>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>

namespace report {

namespace {

// The layouts name the face their original was drawn in.
constexpr auto kLayoutFamily = "Arial";

struct FaceFile {
    const char* file;
    bool main;   // the face "Arial" maps to, not a fallback
};

constexpr std::array kFaceFiles{
    FaceFile{"LiberationSans-Regular.ttf", true},
    FaceFile{"LiberationSans-Bold.ttf", true},
    FaceFile{"LiberationSans-Italic.ttf", true},
    FaceFile{"LiberationSans-BoldItalic.ttf", true},
    FaceFile{"NotoSansArabic-Regular.ttf", false},
    FaceFile{"NotoSansArabic-Bold.ttf", false},
    FaceFile{"NotoSansHebrew-Regular.ttf", false},
    FaceFile{"NotoSansHebrew-Bold.ttf", false},
};

bool isMainFace(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    for (const FaceFile& f : kFaceFiles) {
        if (name == QLatin1String(f.file))
            return f.main;
    }
    return false;
}

LoadedFaces load()
{
    const FaceFiles files = findFaceFiles(faceFolders());
    LoadedFaces faces;
    faces.missing = files.missing;
    for (const QString& path : files.found) {
        const int id = QFontDatabase::addApplicationFont(path);
        const QStringList families = QFontDatabase::applicationFontFamilies(id);
        if (id < 0 || families.isEmpty()) {
            faces.missing.append(QFileInfo(path).fileName());
            continue;
        }
        faces.files.append(path);
        if (isMainFace(path)) {
            if (faces.family.isEmpty())
                faces.family = families.constFirst();
        } else if (!faces.fallbacks.contains(families.constFirst())) {
            faces.fallbacks.append(families.constFirst());
        }
    }
    if (!faces.missing.isEmpty())
        std::fprintf(stderr, "%s\n", qPrintable(missingFacesText(faces)));
    return faces;
}

} // namespace

FaceFiles findFaceFiles(const QStringList& folders)
{
    FaceFiles files;
    for (const FaceFile& f : kFaceFiles) {
        const QString name = QString::fromLatin1(f.file);
        QString found;
        for (const QString& folder : folders) {
            const QFileInfo info(QDir(folder).filePath(name));
            if (info.isFile() && info.isReadable()) {
                found = info.absoluteFilePath();
                break;
            }
        }
        if (found.isEmpty())
            files.missing.append(name);
        else
            files.found.append(found);
    }
    return files;
}

QStringList faceFolders()
{
    return {QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("fonts")),
            QStringLiteral("/usr/share/fonts/truetype/liberation2"),
            QStringLiteral("/usr/share/fonts/truetype/noto")};
}

const LoadedFaces& loadPrintFaces()
{
    // Without the application the font database cannot take the files, and a
    // result kept now would hold them missing for good.
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        static const LoadedFaces none;
        return none;
    }
    // A function-local static: loaded once even when the first prints are
    // measured on several threads at the same time.
    static const LoadedFaces faces = load();
    return faces;
}

QString missingFacesText(const LoadedFaces& faces)
{
    if (faces.missing.isEmpty())
        return {};
    return QCoreApplication::translate("report",
                                       "The faces the reports print with were not found (%1). "
                                       "Reports print with the fonts this computer has, and may "
                                       "wrap and break pages differently.")
        .arg(faces.missing.join(QStringLiteral(", ")));
}

QStringList printFamilies(const QString& family)
{
    const LoadedFaces& faces = loadPrintFaces();
    QStringList families;
    if (!faces.family.isEmpty() && family.compare(QLatin1String(kLayoutFamily), Qt::CaseInsensitive) == 0)
        families.append(faces.family);
    else
        families.append(family);
    families.append(faces.fallbacks);
    return families;
}

} // namespace report
