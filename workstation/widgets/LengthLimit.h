#pragma once
// Length limits that never cut what a field holds.
//
// A field's own limit is the number of characters it takes. A text longer than
// that (kept from a printer line with a higher limit, a normal form longer
// than the field) stays whole: the field then takes no more characters, and as
// soon as a change of any kind (typing, setText, clear) brings the text within
// the own limit, the field has its own limit again.

#include <QString>
#include <optional>
#include <string>

class QLineEdit;

namespace cuponex {

// The field's own limit: as last set here, else the limit it was built with.
int ownLimit(const QLineEdit* field);

// Gives the field a new own limit without cutting its text.
void setOwnLimit(QLineEdit* field, int limit);

// Sets a text that may be longer than the field's own limit, whole.
void setTextKeptWhole(QLineEdit* field, const QString& text);

// Appends a row (8-bit text) to a table field only when the whole table then
// stays within the field's own limit: a longer table would be cut, or pass
// what the printer takes. False when there is no row or it was refused.
bool appendRow(QLineEdit* table, const std::optional<std::string>& row);

}  // namespace cuponex
