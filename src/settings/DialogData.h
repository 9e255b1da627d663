#pragma once

#include <QColor>
#include <QString>
#include <QtGlobal>

#include "model/WinRect.h"

class Prompter;
class QLineEdit;

// What the option dialogs share in reading and writing their controls: numbers typed into edit
// boxes, the prompts that refuse them, file-chooser filters written in the Windows manner, and
// Windows colour values.
namespace DialogData {

// A signed decimal as an edit box holds it: blanks around it are allowed, anything else makes
// the text not a number (also an empty text and a value outside 32 bits).
bool ParseInt(const QString& text, qint32& value);
// The same for an unsigned decimal; a sign is not allowed.
bool ParseUInt(const QString& text, quint32& value);

QString IntegerPrompt();
QString UnsignedPrompt();
QString IntegerRangePrompt(qint32 low, qint32 high);

// "Text|*.a;*.b|All|*.*||" becomes "Text (*.a *.b);;All (*)": the pairs of description and
// patterns of a Windows filter string in the form the file choosers take.
QString QtFileFilter(const QString& windowsFilter);

// A bare stored file name as a file of the program folder.
QString InAppFolder(const QString& name);

// A rectangle typed as x, y, width and height; the far edges stay within 32 bits.
WinRect FromPosition(qint32 x, qint32 y, qint32 width, qint32 height);

QColor ToQColor(quint32 colorRef);
quint32 ToColorRef(const QColor& color);

// Reading an edit box as the dialogs' data exchange does: a text that is refused is reported
// through the prompter, the box gets the focus with its text selected, and false is returned.
bool ReadInt(QLineEdit* edit, qint32& value, Prompter& prompter);
bool ReadIntInRange(QLineEdit* edit, qint32& value, qint32 low, qint32 high, Prompter& prompter);
bool ReadUInt(QLineEdit* edit, quint32& value, Prompter& prompter);

// Lets only digits be typed into the box.
void DigitsOnly(QLineEdit* edit);

} // namespace DialogData
