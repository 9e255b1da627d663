#include "controls/XToolBarEx.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFontMetrics>

#include <algorithm>

XToolBarEx::XToolBarEx(QWidget* parent) : CTrueColorToolBar(parent), m_pComboBox(new QComboBox) {
    m_pComboBox->setObjectName(QString::number(kComboId));
    m_pComboBox->setEditable(false);
    m_pComboBox->setFocusPolicy(Qt::StrongFocus);
    m_pComboBox->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    // Activation, not a change of index: choosing the entry already selected still counts.
    connect(m_pComboBox, &QComboBox::activated, this, &XToolBarEx::OnComboSelEndOk);
}

XToolBarEx::~XToolBarEx() {
    // Placed, the tool bar owns the box as its child; never placed, it is ours alone.
    if (!m_bComboPlaced)
        delete m_pComboBox;
}

bool XToolBarEx::CreateCombo() {
    const QList<QAction*> buttons = actions();
    if (m_bComboPlaced || buttons.isEmpty())
        return false;
    QAction* first = buttons.first();
    first->setVisible(false);
    m_pComboBox->setFixedWidth(kComboWidth);
    m_pComboBox->setMaxVisibleItems(VisibleListItems());
    insertWidget(first, m_pComboBox);
    m_pComboBox->show();
    m_bComboPlaced = true;
    return true;
}

int XToolBarEx::VisibleListItems() const {
    // A short list, about a hundred pixels with the box, as the tool window is small; but never
    // so short that a usual set of levels needs scrolling.
    const int listHeight = kComboListBottom - kComboTop - m_pComboBox->sizeHint().height();
    const int itemHeight = QFontMetrics(m_pComboBox->font()).height() + 2;
    return std::max(kMinVisibleItems, listHeight / itemHeight);
}

void XToolBarEx::OnComboSelEndOk(int index) {
    Q_EMIT PrizeLevelChosen(index);
}
