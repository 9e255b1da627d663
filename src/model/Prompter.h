#pragma once

#include <QString>

// What the program says to the operator and asks of him. The core reports through it without
// knowing about widgets; the draw window shows message boxes and file choosers, tests record.
class Prompter {
public:
    enum class Icon { Information, Warning, Error, Question };

    virtual ~Prompter() = default;

    virtual void Message(const QString& text, Icon icon = Icon::Warning) = 0;
    virtual bool AskYesNo(const QString& text) = 0;
    // An empty result means the operator cancelled. Filters use the Qt form
    // ("Text files (*.txt);;All files (*)"). The chooser opens in `folder` when one is given;
    // given a file's path, it opens in that file's folder with the file chosen. A name typed
    // without an extension gets `defaultSuffix` (no dot) when one is given.
    virtual QString ChooseOpenFile(const QString& title, const QString& filter,
                                   const QString& folder = QString(),
                                   const QString& defaultSuffix = QString()) = 0;
    // A name typed without a suffix gets defaultSuffix (without its dot), when one is given,
    // before the chooser asks whether to replace an existing file: the question is about the
    // file that will be written.
    virtual QString ChooseSaveFile(const QString& title, const QString& filter,
                                   const QString& suggestedName,
                                   const QString& defaultSuffix = QString()) = 0;
};
