#pragma once

#include <QList>
#include <QString>
#include <QWidget>

#include <functional>

class Prompter;
class QButtonGroup;
class QLineEdit;
class QRadioButton;
class QTreeWidget;

// The file tab of the import dialog: the number file, the separator between number and
// information, and a preview of the first lines split as the import will split them.
class GetNuFromFile : public QWidget {
    Q_OBJECT
public:
    static constexpr int kOther = 7;

    // makeUpper: the dialog's "MakeUpper" state, read at each preview.
    GetNuFromFile(Prompter& prompter, const qint32* makeUpper, QWidget* parent = nullptr);

    // save: path, separator edit and chosen radio into the members; else the members into the
    // controls.
    void UpdateData(bool save);

    void OnBrowse();
    // Opens the example number file that comes with the program.
    void OnExample();
    // index 0..7: "Space", "Tab", ",", ".", "-", "|", "/", "Other".
    void OnSeparator(int index);
    void OnSeparatorEdited();
    void PreviewFile(const QString& path);
    // Before OK changes the pool: true when the import can take the file at m_strPath, else the
    // operator is told why, with the preview's messages ("Open File Error!" for a missing file).
    bool CheckFileForImport();

    // The separator of a radio; "Other" (and no choice) has none of its own.
    static QString SeparatorOf(int index);

    QLineEdit* PathEdit() const { return m_pPath; }
    QLineEdit* SeparatorEdit() const { return m_pSeparator; }
    QRadioButton* SeparatorRadio(int index) const;

    QTreeWidget* m_list;
    QString m_strPath;
    QString m_strSeparator;
    qint32 m_nSeparator = -1;
    // How "Example" opens a file; the desktop's viewer by default.
    std::function<void(const QString& path)> m_openExample;

private:
    Prompter& m_prompter;
    const qint32* m_pMakeUpper;
    QLineEdit* m_pPath;
    QLineEdit* m_pSeparator;
    QButtonGroup* m_pRadios;
};
