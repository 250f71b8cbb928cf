// Send handlers of the printer set-up tabs (.30, .31, .33 to .36): printing
// options, cliché, tax-rate table, registration numbers, date and time and
// summer time.

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QValidator>
#include <array>
#include <limits>

#include "commands/PrinterSetupCommands.h"
#include "ui_tab30.h"
#include "ui_tab31.h"
#include "ui_tab33.h"
#include "ui_tab34.h"
#include "ui_tab35.h"
#include "ui_tab36.h"
#include "widgets/LengthLimit.h"
#include "widgets/MaskedText.h"
#include "widgets/RadioGroup.h"
#include "window/uPrincipal.h"

namespace {

// Turns every letter of the field into upper case as it arrives, typed or
// pasted. A letter whose upper case has no 8-bit form ("ÿ", "µ") stays as it
// is rather than reaching the command as "?".
class UpperCaseValidator : public QValidator {
  public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        for (QChar& c : input) {
            const QChar upper = c.toUpper();
            if (upper.unicode() <= 0xFF) c = upper;
        }
        return Acceptable;
    }
};

// "Sim" is the first item of the yes/no radio groups.
bool yes(const QGroupBox* group) {
    return cuponex::radioItemIndex(group) == 0;
}

}  // namespace

void TfrmPrincipal::setupPrinterSetupTabs() {
    t30 = makeForm<Ui::Tab30>(".30");
    t31 = makeForm<Ui::Tab31>(".31");
    t33 = makeForm<Ui::Tab33>(".33");
    t34 = makeForm<Ui::Tab34>(".34");
    t35 = makeForm<Ui::Tab35>(".35");
    t36 = makeForm<Ui::Tab36>(".36");

    using W = TfrmPrincipal;
    onClick(t30->BitBtn28, &W::BitBtn28Click);
    onClick(t31->BitBtn29, &W::BitBtn29Click);
    onClick(t33->BitBtn30, &W::BitBtn30Click);
    onClick(t33->BitBtn31, &W::BitBtn31Click);
    onClick(t33->BitBtn32, &W::BitBtn32Click);
    onClick(t34->BitBtn33, &W::BitBtn33Click);
    onClick(t34->cbSenha, &W::cbSenhaClick);
    onClick(t35->BitBtn34, &W::BitBtn34Click);
    onClick(t36->BitBtn35, &W::BitBtn35Click);

    const KeyHandler digitKeys = &W::edItemKeyPress;
    rules(t30->edECF, digitKeys, &W::edItemExit);
    rules(t30->edIntervalo, digitKeys, &W::edRedInExit);
    for (QLineEdit* field : {t31->edSalto, t31->edClicheAtrib1, t31->edClicheAtrib2,
                             t31->edClicheAtrib3, t31->edClicheAtrib4, t31->edClicheAtrib5})
        rules(field, digitKeys, &W::edAtrib1Exit);
    rules(t33->edAliquota, &W::edPrecoKeyPress, &W::edDescItemValorExit);

    t33->edTaxaIdent->setValidator(new UpperCaseValidator(t33->edTaxaIdent));
    // The collected rate list has no length limit of its own.
    t33->edFormatoAliquota->setMaxLength(std::numeric_limits<int>::max());
    // The password field keeps its place while hidden, so the send button
    // below it does not move when the box is ticked.
    QSizePolicy passwordPolicy = t34->edSenha->sizePolicy();
    passwordPolicy.setRetainSizeWhenHidden(true);
    t34->edSenha->setSizePolicy(passwordPolicy);
}

void TfrmPrincipal::BitBtn28Click(QObject*) {
    cuponex::PrintingOptionsFields fields;
    fields.ecf = text(t30->edECF);
    fields.cents = t30->cbCentavos->isChecked();
    fields.itemTitle = t30->cbTitulo->isChecked();
    fields.printSign = t30->cbCifrao->isChecked();
    fields.sign = text(t30->edCifrao);
    fields.interval = text(t30->edIntervalo);
    fields.iof = yes(t30->rgIOF);
    fields.issDiscount = yes(t30->rgISS);
    send(cuponex::printingOptionsCommand(printerLine(), fields));
}

void TfrmPrincipal::BitBtn29Click(QObject*) {
    const std::array<QLineEdit*, 5> attributes{t31->edClicheAtrib1, t31->edClicheAtrib2,
                                               t31->edClicheAtrib3, t31->edClicheAtrib4,
                                               t31->edClicheAtrib5};
    const std::array<QLineEdit*, 5> lines{t31->edCliche1, t31->edCliche2, t31->edCliche3,
                                          t31->edCliche4, t31->edCliche5};
    cuponex::ClicheFields fields;
    fields.skip = text(t31->edSalto);
    fields.secondCoupon = t31->cbClicheSegundo->isChecked();
    for (std::size_t row = 0; row < fields.rows.size(); ++row)
        fields.rows[row] = {text(attributes[row]), text(lines[row])};
    send(cuponex::clicheCommand(fields));
}

// .33 "&Aplicar": one rate entry onto the "Formato" list; the identifier and
// the rate stay for the next entry.
void TfrmPrincipal::BitBtn30Click(QObject*) {
    cuponex::appendRow(t33->edFormatoAliquota,
                       cuponex::taxRateEntry(text(t33->edTaxaIdent), text(t33->edAliquota)));
}

void TfrmPrincipal::BitBtn31Click(QObject*) {
    t33->edFormatoAliquota->clear();
}

void TfrmPrincipal::BitBtn32Click(QObject*) {
    send(cuponex::taxRateTableCommand(text(t33->edFormatoAliquota)));
}

void TfrmPrincipal::BitBtn33Click(QObject*) {
    send(cuponex::registrationCommand(text(t34->edCadCNPJ), text(t34->edCadIE), text(t34->edCadIM),
                                      t34->cbSenha->isChecked(), text(t34->edSenha)));
}

// A hidden password keeps its text but is not sent.
void TfrmPrincipal::cbSenhaClick(QObject*) {
    t34->edSenha->setVisible(t34->cbSenha->isChecked());
}

void TfrmPrincipal::BitBtn34Click(QObject*) {
    send(cuponex::dateTimeCommand(cuponex::maskedValue(t35->mskAcertaData),
                                  cuponex::maskedValue(t35->mskAcertaHora)));
}

void TfrmPrincipal::BitBtn35Click(QObject*) {
    send(cuponex::summerTimeCommand(t36->cbHoraVerao->isChecked()));
}
