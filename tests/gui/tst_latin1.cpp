// A window text as the command's ISO-8859-1 bytes: one character, one byte.

#include <QTest>
#include <string>

#include "widgets/Latin1.h"

class Latin1Test : public QObject {
    Q_OBJECT
  private slots:
    void eachCharacterBecomesItsByteOrOneQuestionMark() {
        const QChar lone[] = {QChar(u'a'), QChar(char16_t(0xD83D)), QChar(u'b')};
        const struct {
            QString text;
            std::string bytes;
        } cases[] = {
            {QStringLiteral("AÇÃO é"), "A\xC7\xC3O \xE9"},
            {QString(QChar(u'\0')) + QChar(char16_t(0x80)) + QChar(char16_t(0x9F)) +
                 QChar(char16_t(0xFF)),
             std::string("\0\x80\x9F\xFF", 4)},
            {QStringLiteral("5 €"), "5 ?"},                  // beyond ISO-8859-1
            {QString::fromUtf8("\xF0\x9F\x98\x80!"), "?!"},  // a pair of surrogates: one
            {QString(lone, 3), "a?b"},                       // a surrogate alone
            {QString(), ""},
        };
        for (const auto& c : cases) {
            QCOMPARE(cuponex::latin1(c.text), c.bytes);
            if (c.bytes.find('?') == std::string::npos) {
                QCOMPARE(cuponex::fromLatin1(c.bytes), c.text);
            }
        }
    }
};

QTEST_APPLESS_MAIN(Latin1Test)
#include "tst_latin1.moc"
