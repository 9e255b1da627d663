#pragma once

#include <QString>

// The texts the pool, the packs and the backup show to the operator.
namespace StoreTexts {

inline QString DataFile() {
    return QStringLiteral("dataFile:");
}
inline QString IndexFile() {
    return QStringLiteral("indexFile:");
}
inline QString DataTFile() {
    return QStringLiteral("dataTFile:");
}
inline QString Damaged() {
    return QStringLiteral(
        "The data of the software is damaged, please restart the programe to continue.");
}
inline QString TooMany() {
    return QStringLiteral("The number is too many to manage!");
}
inline QString OpenFileError() {
    return QStringLiteral("Open File Error!");
}
inline QString LineTooLong() {
    return QStringLiteral("The line of the dataFile is too long!");
}
inline QString WriteError() {
    return QStringLiteral("Write Error!");
}
inline QString BadPack() {
    return QStringLiteral("Bad pack file!");
}
inline QString CannotStore() {
    return QStringLiteral("The number or its information cannot be stored: it is too long or "
                          "holds a character that the number file reserves.");
}
inline QString LinesRefused(qint64 count) {
    return QStringLiteral("%1 line(s) of the file could not be stored: too long, or holding a "
                          "character that the number file reserves.")
        .arg(count);
}
inline QString NothingStored(qint64 lines) {
    return QStringLiteral("No number could be stored, so the numbers stay as they were: %1 "
                          "line(s) of the file could not be stored.")
        .arg(lines);
}
inline QString FilesNotPacked() {
    return QStringLiteral("These files could not be read and are missing from the scheme pack:");
}
inline QString OutputPathsReset() {
    return QStringLiteral("The scheme wrote the winning numbers outside the program folder: they "
                          "go to WinningNumbers.txt in the program folder instead.");
}
inline QString FilesNotRestored() {
    return QStringLiteral("These files of the scheme pack could not be written:");
}

// Task texts of the progress window.
inline QString TaskRange() {
    return QStringLiteral("Generate the continus numbers.");
}
inline QString TaskIndex() {
    return QStringLiteral("Generate the index.");
}
inline QString TaskAnalyse() {
    return QStringLiteral("analyse the number bits and chars.");
}
inline QString TaskImport() {
    return QStringLiteral("Import from a file.");
}

} // namespace StoreTexts
