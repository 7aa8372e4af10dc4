#include "widgets/RadioGroup.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

TRadioGroup::TRadioGroup(const QString &caption, QWidget *parent)
    : QGroupBox(caption, parent)
    , m_buttons(new QButtonGroup(this))
{
    new QVBoxLayout(this);
    connect(m_buttons, &QButtonGroup::idClicked, this, &TRadioGroup::clicked);
}

void TRadioGroup::setItems(const QStringList &items)
{
    const QList<QAbstractButton *> old = m_buttons->buttons();
    for (QAbstractButton *button : old) {
        m_buttons->removeButton(button);
        delete button;
    }
    m_items = items;
    for (int index = 0; index < items.size(); ++index) {
        auto *button = new QRadioButton(QString(items.at(index)).replace(u'&', QStringLiteral("&&")), this);
        m_buttons->addButton(button, index);
        layout()->addWidget(button);
    }
}

QList<QAbstractButton *> TRadioGroup::buttons() const
{
    return m_buttons->buttons();
}

QStringList TRadioGroup::items() const
{
    return m_items;
}

int TRadioGroup::itemIndex() const
{
    return m_buttons->checkedId();
}

void TRadioGroup::setItemIndex(int index)
{
    if (QAbstractButton *button = m_buttons->button(index)) {
        button->setChecked(true);
        return;
    }
    // An exclusive group cannot uncheck its last button; lift it for a moment.
    m_buttons->setExclusive(false);
    if (QAbstractButton *checked = m_buttons->checkedButton())
        checked->setChecked(false);
    m_buttons->setExclusive(true);
}

QString TRadioGroup::chosenText() const
{
    return m_items.value(itemIndex());
}
