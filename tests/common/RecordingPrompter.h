#pragma once

#include "model/Prompter.h"

#include <QStringList>

// Records every message and answers questions and file choosers from queues set by the test.
class RecordingPrompter : public Prompter {
public:
    QStringList messages;
    QStringList questions;
    QList<bool> answers;     // answers to AskYesNo, first first; "no" when empty
    QStringList chosenFiles; // results of the file choosers, first first; cancel when empty

    void Message(const QString& text, Icon) override { messages << text; }
    bool AskYesNo(const QString& text) override {
        questions << text;
        return answers.isEmpty() ? false : answers.takeFirst();
    }
    QStringList openFilters;  // filter of each open-file chooser
    QStringList openFolders;  // folder each open-file chooser opened in ("" for the default)
    QStringList openSuffixes; // extension each open-file chooser gives a bare name
    QString ChooseOpenFile(const QString&, const QString& filter, const QString& folder,
                           const QString& defaultSuffix) override {
        openFilters << filter;
        openFolders << folder;
        openSuffixes << defaultSuffix;
        return nextFile();
    }
    QStringList saveSuffixes; // default suffix of each save-file chooser ("" for none)
    QString ChooseSaveFile(const QString&, const QString&, const QString&,
                           const QString& defaultSuffix = QString()) override {
        saveSuffixes << defaultSuffix;
        return nextFile();
    }

private:
    QString nextFile() { return chosenFiles.isEmpty() ? QString() : chosenFiles.takeFirst(); }
};
