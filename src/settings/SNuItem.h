#pragma once

#include <QDialog>
#include <QString>

class Prompter;
class QLineEdit;
class QPlainTextEdit;

// One raffle number and its information, for adding or modifying. The caller gives the title
// and, for a change, the record's texts; after OK the two members hold what was typed. The
// information keeps its line breaks as CR LF, as the pool stores them.
class SNuItem : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMaxNumber = 80;
    static constexpr int kMaxInfo = 225;

    SNuItem(const QString& title, Prompter& prompter, QWidget* parent = nullptr);

    // Puts the texts into the edits.
    void SetTexts(const QString& number, const QString& info);

    QLineEdit* NumberEdit() const { return m_pNumber; }
    QPlainTextEdit* InfoEdit() const { return m_pInfo; }

    QString m_strTitle;
    QString m_strInfo;
    QString m_strNumber;

public Q_SLOTS:
    // Takes the edits' texts; a text over its limit is refused and keeps the dialog open.
    void accept() override;

private:
    void OnInfoChanged();

    Prompter& m_prompter;
    QLineEdit* m_pNumber;
    QPlainTextEdit* m_pInfo;
    QString m_lastInfo;
    bool m_bTrimming = false;
};
