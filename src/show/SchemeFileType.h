#pragma once

#include <QString>

// Makes the desktop know scheme packs (".TSC") as this program's files: a shared-mime-info entry
// in the user's data folder, shown with the desktop's package icon. Nothing opens them on a
// double click; the program only names them.
class SchemeFileType {
public:
    // The user's data folder ($XDG_DATA_HOME, else ~/.local/share).
    static QString UserDataFolder();

    // The MIME type a document type stands for: "TumoScheme.Document" gives
    // "application/x-tumoscheme-document".
    static QString MimeTypeOf(const QString& documentType);

    // The shared-mime-info package text for the extension (".TSC", matched in any case).
    static QString PackageXml(const QString& extension, const QString& documentType,
                              const QString& description);

    // The package's path under a data folder.
    static QString PackagePath(const QString& dataFolder, const QString& documentType);

    // Writes the package into dataFolder/mime/packages unless it is there already with the same
    // text, then has the desktop's database rebuilt (a desktop without the tool simply does not
    // learn the type). True when the package is in place.
    static bool Register(const QString& dataFolder, const QString& extension,
                         const QString& documentType, const QString& description);
};

// The program's registration, at every start, in the user's data folder. Its result may be
// ignored: the program runs the same without the file association.
bool RegisterSchemeFileType(const QString& extension, const QString& documentType,
                            const QString& description);
