#include "widgets/MaskedText.h"

#include <QLineEdit>
#include <vector>

#include "widgets/Latin1.h"

namespace cuponex {

namespace {

// Whether each position of an input mask takes a typed character (true) or
// shows a literal (false). Case and blank-character directives take no place.
std::vector<bool> inputPositions(const QString& inputMask) {
    static const QString inputChars = QStringLiteral("AaNnXx90DdHhBb#");
    const QString mask = inputMask.section(QLatin1Char(';'), 0, 0);
    std::vector<bool> positions;
    for (qsizetype i = 0; i < mask.size(); ++i) {
        const QChar c = mask[i];
        if (c == QLatin1Char('>') || c == QLatin1Char('<') || c == QLatin1Char('!')) continue;
        if (c == QLatin1Char('\\') && i + 1 < mask.size()) {
            ++i;
            positions.push_back(false);
            continue;
        }
        positions.push_back(inputChars.contains(c));
    }
    return positions;
}

}  // namespace

std::string maskedValue(const QLineEdit* field) {
    if (field->inputMask().isEmpty()) return latin1(field->text());
    const std::vector<bool> positions = inputPositions(field->inputMask());
    const QString shown = field->displayText();
    QString value;
    bool anyFilled = false;
    for (std::size_t i = 0; i < positions.size(); ++i) {
        if (!positions[i]) continue;
        const qsizetype at = static_cast<qsizetype>(i);
        const QChar c = at < shown.size() ? shown[at] : QLatin1Char(' ');
        const bool filled = !c.isSpace();
        anyFilled = anyFilled || filled;
        value += filled ? c : QLatin1Char(' ');
    }
    return anyFilled ? latin1(value) : std::string();
}

}  // namespace cuponex
