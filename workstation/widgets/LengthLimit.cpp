#include "widgets/LengthLimit.h"

#include <QLineEdit>
#include <QVariant>
#include <algorithm>

#include "widgets/Latin1.h"

namespace cuponex {

namespace {

constexpr const char* kOwnLimit = "cuponexOwnLimit";

int length(const QLineEdit* field) {
    return static_cast<int>(field->text().size());
}

// A text back within the own limit gives the field its own limit again.
// Setting a limit moves the cursor to the end; it goes back where the change
// left it.
void restoreWhenWithin(QLineEdit* field) {
    const int own = ownLimit(field);
    if (field->maxLength() == own || length(field) > own) return;
    const int cursor = field->cursorPosition();
    field->setMaxLength(own);
    field->setCursorPosition(cursor);
}

// From the first call on, the field's own limit is held apart from its
// current one and every change of text is watched.
void watch(QLineEdit* field) {
    if (field->property(kOwnLimit).isValid()) return;
    field->setProperty(kOwnLimit, field->maxLength());
    QObject::connect(field, &QLineEdit::textChanged, field, [field] { restoreWhenWithin(field); });
}

}  // namespace

int ownLimit(const QLineEdit* field) {
    const QVariant own = field->property(kOwnLimit);
    return own.isValid() ? own.toInt() : field->maxLength();
}

void setOwnLimit(QLineEdit* field, int limit) {
    watch(field);
    field->setProperty(kOwnLimit, limit);
    field->setMaxLength(std::max(limit, length(field)));
}

void setTextKeptWhole(QLineEdit* field, const QString& text) {
    watch(field);
    if (text.size() > field->maxLength()) field->setMaxLength(static_cast<int>(text.size()));
    field->setText(text);
}

bool appendRow(QLineEdit* table, const std::optional<std::string>& row) {
    if (!row) return false;
    const QString extended = table->text() + fromLatin1(*row);
    if (extended.size() > ownLimit(table)) return false;
    table->setText(extended);
    return true;
}

}  // namespace cuponex
