// The history window's free command line: letters go out as the tabs send
// them, escapes write any byte, what the notation rejects is told in
// Portuguese and sends nothing; a line sent leaves the line empty, and Up and
// Down walk through the lines sent.

#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "GuiTestSupport.h"
#include "history/ExchangeHistory.h"
#include "history/uHistorico.h"
#include "window/uPrincipal.h"

using testsupport::FakeLink;
using testsupport::MessageCapture;

class FreeCommandLineTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString prefix() const { return dir_.path() + "/"; }

    struct Window {
        TfrmPrincipal main;
        TfrmHistorico* history = nullptr;
        QLineEdit* line = nullptr;
        QPushButton* enviar = nullptr;
    };

    // The main window on the test's directory, with its history window open
    // and the free line holding the focus.
    bool open(Window& w) {
        w.history = testsupport::openHistoryOn(w.main, prefix());
        if (!w.history) return false;
        w.line = w.history->findChild<QLineEdit*>(QStringLiteral("edComandoLivre"));
        w.enviar = w.history->findChild<QPushButton*>(QStringLiteral("btnEnviarLivre"));
        if (!w.line || !w.enviar) return false;
        w.line->setFocus();
        return true;
    }

    // Types each character as a key of its own; one without a key of the
    // keyboard map (ç, €) comes as its text alone, as from an input method.
    static void type(QLineEdit* line, const QString& text) {
        line->clear();
        for (const char32_t code : text.toUcs4()) {
            const QString character = QString::fromUcs4(&code, 1);
            if (code < 0x80)
                QTest::keyClick(line, char(code));
            else
                QTest::sendKeyEvent(QTest::Click, line, Qt::Key_unknown, character, Qt::NoModifier);
        }
    }

  private slots:
    void lettersGoOutAsTheTabsSendThem_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("command");
        const auto row = [](const char* name, const char* typed, QByteArray command) {
            QTest::newRow(name) << QString::fromUtf8(typed) << command;
        };
        row("accented letters", "01Ação", QByteArray("01A\xE7\xE3o"));
        row("a phrase", "08Pão de açúcar",
            QByteArray("08P\xE3o de a\xE7\xFA"
                       "car"));
        row("the last Latin-1 letter", "52 ÿ", QByteArray("52 \xFF"));
        row("outside Latin-1", "52€ – 😀", QByteArray("52? ? ?"));
        row("escapes beside letters", "52\\xE7\\\\ç\\x09", QByteArray("52\xE7\\\xE7\t"));
        row("an escaped backslash before a letter", "52\\\\é", QByteArray("52\\\xE9"));
        row("a hex escape before a letter", "52\\x41é", QByteArray("52A\xE9"));
        row("a trailing space", "52ç ", QByteArray("52\xE7 "));
    }

    void lettersGoOutAsTheTabsSendThem() {
        QFETCH(QString, typed);
        QFETCH(QByteArray, command);
        Window w;
        QVERIFY(open(w));
        FakeLink link(prefix(), [](const std::string&) { return std::string(".+5200"); });
        type(w.line, typed);
        QCOMPARE(w.line->text(), typed);
        QTest::keyClick(w.line, Qt::Key_Return);
        QCOMPARE(QByteArray::fromStdString(link.lastRequest()),
                 QByteArray("\x1b.") + command + QByteArray("}\n"));
        QCOMPARE(w.main.ui.edRecebido->text(), QStringLiteral(".+5200"));
        QCOMPARE(w.line->text(), QString());
    }

    void whatTheNotationRejectsIsToldInPortuguese_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        const QString unknown = QStringLiteral(
            "Escape desconhecido \\%1. Use \\xHH para um byte qualquer ou \\\\ para a barra "
            "invertida.");
        const QString hex = QStringLiteral(
            "\\x sem dois algarismos hexadecimais. Escreva o byte como \\xHH, por exemplo \\x1B.");
        const QString lone = QStringLiteral(
            "Barra invertida sozinha no fim do comando. Para enviar a barra, escreva \\\\.");
        const auto row = [](const char* name, const char* typed, QString message) {
            QTest::newRow(name) << QString::fromUtf8(typed) << message;
        };
        row("an unknown escape", "52\\q", unknown.arg(QLatin1Char('q')));
        row("an escaped letter", "52\\ç", unknown.arg(QChar(0xE7)));
        row("an escaped letter after a backslash", "52\\\\\\é", unknown.arg(QChar(0xE9)));
        row("an escaped sign outside Latin-1", "52\\€", unknown.arg(QLatin1Char('?')));
        row("one hex digit", "52\\x4", hex);
        row("no hex digit", "52\\xG1", hex);
        row("a letter for a digit", "52\\x4é", hex);
        row("a lone backslash", "52\\", lone);
        row("nothing", "", QStringLiteral("Digite um comando para enviar."));
    }

    void whatTheNotationRejectsIsToldInPortuguese() {
        QFETCH(QString, typed);
        QFETCH(QString, message);
        MessageCapture boxes;
        Window w;
        QVERIFY(open(w));
        FakeLink link(prefix());
        type(w.line, typed);
        w.enviar->click();
        QCOMPARE(boxes.errors, QStringList{message});
        QCOMPARE(w.line->text(), typed);  // left to be put right
        QCOMPARE(w.main.history()->rowCount(), 0);
        QVERIFY(link.requests().empty());
    }

    // One session of the free line, step by step: what the line holds after
    // each step. Up and Down walk the lines sent, newest first.
    void upAndDownWalkTheLinesSent() {
        MessageCapture boxes;
        Window w;
        QVERIFY(open(w));
        FakeLink link(prefix());
        enum Action { Type, Send, Up, Down, LinkAway };
        struct Step {
            Action action;
            const char* text;  // typed, or what the line holds after the step
        };
        const Step steps[] = {
            {Type, "0"},     {Up, "0"},       {Down, "0"},  // nothing sent yet: nothing to walk
            {Type, "05"},    {Send, ""},      {Type, "42"},   {Send, ""},
            {Type, "42"},    {Send, ""},  // twice in a row: kept once
            {Type, "43ç"},   {Send, ""},      {Up, "43ç"},    {Up, "42"},
            {Up, "05"},      {Up, "05"},                                   // the oldest stays
            {Down, "42"},    {Down, "43ç"},   {Down, ""},     {Down, ""},  // past the newest: empty
            {Up, "43ç"},     {Up, "42"},      {Send, ""},  // sent again from the walk
            {Up, "42"},      {Up, "43ç"},     {Down, "42"},   {Down, ""},
            {Type, "52\\q"}, {Send, "52\\q"},  // rejected: not a line sent
            {Up, "42"},      {Down, ""},      {LinkAway, ""}, {Type, "18"},
            {Send, ""},  // its exchange fails: still sent
            {Up, "18"},      {Up, "42"},
        };
        for (const Step& step : steps) {
            const QString text = QString::fromUtf8(step.text);
            switch (step.action) {
                case Type:
                    type(w.line, text);
                    break;
                case Send:
                    QTest::keyClick(w.line, Qt::Key_Return);
                    QCOMPARE(w.line->text(), text);
                    break;
                case Up:
                    QTest::keyClick(w.line, Qt::Key_Up);
                    QCOMPARE(w.line->text(), text);
                    QCOMPARE(w.line->cursorPosition(), text.size());
                    break;
                case Down:
                    QTest::keyClick(w.line, Qt::Key_Down);
                    QCOMPARE(w.line->text(), text);
                    break;
                case LinkAway:
                    w.main.ui.edCaminho->setText(prefix() + "missing/");
                    break;
            }
        }
        QCOMPARE(link.requests(),
                 (std::vector<std::string>{"\x1b.05}\n", "\x1b.42}\n", "\x1b.42}\n",
                                           "\x1b.43\xE7}\n", "\x1b.42}\n"}));
        QCOMPARE(boxes.errors.size(), 2);  // the rejected text, the failed exchange
        QCOMPARE(w.main.history()->rowCount(), 6);
    }
};

QTEST_MAIN(FreeCommandLineTest)
#include "tst_free_command_line.moc"
