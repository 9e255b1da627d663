#pragma once

#include "model/CharFormat.h"
#include "model/LogFont.h"

#include <QDialog>
#include <QString>
#include <QStringList>

#include <functional>

class GradeInfo;
class QMenu;
class QPushButton;
class QTextEdit;

// The text-item editor: one information text of the current prize level, typed in a rich text
// box with one font, size, effects and colour for the whole text. "~?~", "~#~" and "~$~" stand
// for the level's winners, those still to draw and those drawn; "Dynamic Info>>" offers four
// ready-made sentences with them. OK adds the item to the level (or replaces the edited one) and
// reports it with StringEdited, so that the draw window creates or refreshes its panel. Cancel
// leaves the level as it was.
//
// The opener sets the level and, to edit an existing item, calls EditItem; then runs it modally.
class XFaceString : public QDialog {
    Q_OBJECT
public:
    static constexpr int kNewItem = -1;

    // Opens the chooser on a font and colour; on OK they hold the choice and the result is true.
    using FontChooser = std::function<bool(LogFont& font, quint32& colour, QWidget* parent)>;

    static QString Caption() { return QStringLiteral("Add/Modi a string"); }
    static QString NewItemText() { return QStringLiteral("NEW INFOMATION"); }
    // The four ready-made sentences, in menu order.
    static QStringList TemplateTexts();
    // The editor's text as stored (line breaks CR LF), and a stored text for the editor.
    static QString StoredText(const QString& edited);
    static QString EditableText(const QString& stored);

    explicit XFaceString(GradeInfo* level = nullptr, QWidget* parent = nullptr);

    // Takes the text and format of an existing item of the level. False, and nothing taken, when
    // the level has no such item.
    bool EditItem(int index);
    void SetFontChooser(FontChooser chooser) { m_fontChooser = std::move(chooser); }

    // The set-up before the dialog shows (also run by the first show).
    void OnInitDialog();
    // "Font...": one font for the whole text.
    void OnFont();
    // "Dynamic Info>>": the menu of ready-made sentences under the button.
    void OnDynamicInfo();
    // A ready-made sentence (0 to 3) replaces the text.
    void OnTemplate(int item);
    // OK: stores the item in the level, closes, then reports it.
    void OnSave();

    QTextEdit* RichEdit() const { return m_pEdit; }
    QMenu* TemplateMenu() const { return m_pMenu; }

    QString m_strText = NewItemText();
    LogFont m_lf;    // the font chooser's description, kept between its uses
    CharFormat m_cf; // the one format of the whole text
    GradeInfo* m_pGrade = nullptr;
    int m_nIndex = kNewItem;

Q_SIGNALS:
    // The item was stored: its index, or kNewItem for an item appended at the end of the list.
    void StringEdited(int index);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildMenu();
    void FormatText();
    void ApplyFormat();
    CharFormat EditorDefaultFormat() const;

    QTextEdit* m_pEdit = nullptr;
    QPushButton* m_pDynamic = nullptr;
    QMenu* m_pMenu = nullptr;
    FontChooser m_fontChooser;
    bool m_bInitialised = false;
    bool m_bFontChosen = false;
};
