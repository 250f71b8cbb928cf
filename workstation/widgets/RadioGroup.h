#pragma once
// A radio group is a QGroupBox whose QRadioButton children are its items, in
// order. These read and set the chosen item's index; -1 means none chosen.

class QGroupBox;

namespace cuponex {

int radioItemIndex(const QGroupBox* group);
void setRadioItemIndex(QGroupBox* group, int index);

}  // namespace cuponex
