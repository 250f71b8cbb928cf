#include "widgets/RadioGroup.h"

#include <QGroupBox>
#include <QRadioButton>

namespace cuponex {
namespace {
QList<QRadioButton*> items(const QGroupBox* group) {
    return group->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
}
}  // namespace

int radioItemIndex(const QGroupBox* group) {
    const auto list = items(group);
    for (int i = 0; i < list.size(); ++i)
        if (list[i]->isChecked()) return i;
    return -1;
}

void setRadioItemIndex(QGroupBox* group, int index) {
    const auto list = items(group);
    for (int i = 0; i < list.size(); ++i) {
        // Auto-exclusive buttons refuse to be unchecked one by one.
        list[i]->setAutoExclusive(false);
        list[i]->setChecked(i == index);
        list[i]->setAutoExclusive(true);
    }
}

}  // namespace cuponex
