#include "show/DesignLevels.h"

#include "model/TumoStatus.h"

int DesignLevels::ListIndexOf(int selectorIndex, int lastGrade) {
    return selectorIndex == lastGrade ? 0 : selectorIndex + 1;
}

int DesignLevels::SelectorIndexOf(int listIndex, int lastGrade) {
    return listIndex == 0 ? lastGrade : listIndex - 1;
}

QStringList DesignLevels::Names(const TumoStatus& status) {
    QStringList names;
    const qsizetype count = std::ssize(status.Levels());
    for (qsizetype i = 1; i <= status.LastGrade() && i < count; ++i)
        names << status.Level(i).m_base.m_strName;
    if (count > 0)
        names << status.Level(0).m_base.m_strName;
    return names;
}
