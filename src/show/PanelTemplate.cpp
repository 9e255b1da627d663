#include "show/PanelTemplate.h"

QString ExpandInfoTemplate(const QString& text, int quantity, int drawn) {
    QString result = text;
    result.replace(QStringLiteral("~?~"), QString::number(quantity));
    result.replace(QStringLiteral("~#~"), QString::number(qint64(quantity) - drawn));
    result.replace(QStringLiteral("~$~"), QString::number(drawn));
    return result;
}
