// The faces every print draws with: shipped beside the program and loaded from
// its own files, so that a layout measures, wraps and breaks pages the same on
// every machine whatever fonts fontconfig offers. Drawing stays with the engine.
#pragma once

#include <QString>
#include <QStringList>

namespace report {

// What the search for the faces' files found: the files to load, in order,
// and the names of the files found in none of the folders.
struct FaceFiles {
    QStringList found;
    QStringList missing;
};

// Looks for each of the prints' face files in `folders`, the first folder that
// holds a file winning. Reads nothing but the folders' listings.
FaceFiles findFaceFiles(const QStringList& folders);

// Where the program looks for its faces, in order: "fonts" beside the program
// (the build copies them there), then the folders the system's font packages
// install them in. Needs a QCoreApplication.
QStringList faceFolders();

// What loading the faces did: the family the layouts' "Arial" draws with
// (empty when its files were missing), the fallback families for scripts it
// lacks, the files loaded and the files not found.
struct LoadedFaces {
    QString family;
    QStringList fallbacks;
    QStringList files;
    QStringList missing;
};

// Loads the prints' faces into the application's font database the first time
// it is called and returns what it did; later calls return the same without
// loading again. Where files are missing it writes one line on stderr, once,
// and the prints go on with what the machine has. Before a QGuiApplication
// exists it loads nothing and returns an empty result, to try again later.
const LoadedFaces& loadPrintFaces();

// The sentence that tells the user which faces are missing, or an empty text
// when none is.
QString missingFacesText(const LoadedFaces& faces);

// The families, in order of preference, that a layout's font of `family`
// draws with: the layouts' "Arial" maps to the loaded family, any other family
// stays itself; the fallbacks follow, so that Arabic prints with real glyphs in
// every style. Loads the faces first (loadPrintFaces).
QStringList printFamilies(const QString& family);

} // namespace report
