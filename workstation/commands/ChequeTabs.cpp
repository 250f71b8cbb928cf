// Send handlers of the cheque function tabs (.44 to .46, .48, .49, .51): each
// reads its tab's fields, builds the command text and shows the printer's
// reply.

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <array>

#include "commands/ChequeCommands.h"
#include "ui_tab44.h"
#include "ui_tab45.h"
#include "ui_tab46.h"
#include "ui_tab48.h"
#include "ui_tab49.h"
#include "ui_tab51.h"
#include "widgets/MaskedText.h"
#include "widgets/RadioGroup.h"
#include "window/uPrincipal.h"

namespace {

// Commands 48 and 49: without a command (no choice, or a line without it) the
// exchange fields are emptied and nothing is sent.
void sendOrClear(TfrmPrincipal& window, const std::optional<std::string>& command) {
    if (!command) {
        window.ui.edEnviado->clear();
        window.ui.edRecebido->clear();
    }
    window.send(command);
}

}  // namespace

void TfrmPrincipal::setupChequeTabs() {
    t44 = makeForm<Ui::Tab44>(".44");
    t45 = makeForm<Ui::Tab45>(".45");
    t46 = makeForm<Ui::Tab46>(".46");
    t48 = makeForm<Ui::Tab48>(".48");
    t49 = makeForm<Ui::Tab49>(".49");
    t51 = makeForm<Ui::Tab51>(".51");

    using W = TfrmPrincipal;
    onClick(t44->BitBtn45, &W::BitBtn45Click);
    onClick(t45->BitBtn46, &W::BitBtn46Click);
    onClick(t46->BitBtn47, &W::BitBtn47Click);
    onClick(t48->BitBtn58, &W::BitBtn58Click);
    onClick(t49->BitBtn59, &W::BitBtn59Click);
    onClick(t51->BitBtn57, &W::BitBtn57Click);

    const KeyHandler digitKeys = &W::edItemKeyPress;
    rules(t45->edBancoCheque, digitKeys, &W::edItemExit);
    for (QLineEdit* line :
         {t45->edLValor, t45->edExtenso1, t45->edExtenso2, t45->edLfavorecido, t45->edLmunicipio})
        rules(line, digitKeys, &W::edAtrib1Exit);
    for (QLineEdit* column : {t45->edCValor, t45->edCextenso1, t45->edCextenso2, t45->edCfavorecido,
                              t45->edCmunicipio, t45->edCDia, t45->edCmes, t45->edCano})
        rules(column, digitKeys, &W::edCodModaExit);
    rules(t46->ednumero, digitKeys, &W::edItemExit);
    rules(t51->edValCheq, &W::edPrecoKeyPress, &W::edPrecoExit);
}

void TfrmPrincipal::BitBtn45Click(QObject*) {
    cuponex::ChequeNamesFields fields;
    fields.payee = text(t44->edFavorecido);
    fields.city = text(t44->edMunicipio);
    fields.currency = text(t44->edMoeda);
    fields.currencyPlural = text(t44->edMoedas);
    send(cuponex::chequeNamesCommand(fields));
}

void TfrmPrincipal::BitBtn46Click(QObject*) {
    const std::array<QLineEdit*, 5> lines{t45->edLValor, t45->edExtenso1, t45->edExtenso2,
                                          t45->edLfavorecido, t45->edLmunicipio};
    const std::array<QCheckBox*, 5> halfLines{t45->cbMValor, t45->cbMlinha1, t45->cbMLinha2,
                                              t45->cbMFavorecido, t45->cbMMunicipio};
    const std::array<QLineEdit*, 5> columns{t45->edCValor, t45->edCextenso1, t45->edCextenso2,
                                            t45->edCfavorecido, t45->edCmunicipio};
    cuponex::ChequeLayoutFields fields;
    fields.bank = text(t45->edBancoCheque);
    for (std::size_t row = 0; row < fields.rows.size(); ++row)
        fields.rows[row] = {text(lines[row]), halfLines[row]->isChecked(), text(columns[row])};
    fields.dayColumn = text(t45->edCDia);
    fields.monthColumn = text(t45->edCmes);
    fields.yearColumn = text(t45->edCano);
    send(cuponex::chequeLayoutCommand(fields));
}

void TfrmPrincipal::BitBtn47Click(QObject*) {
    send(cuponex::bankOptionCommand(t46->cbBanco->isChecked(), text(t46->ednumero)));
}

void TfrmPrincipal::BitBtn58Click(QObject*) {
    sendOrClear(*this, cuponex::clearChequeTableCommand(
                           printerLine(), cuponex::radioItemIndex(t48->rgLimpaTabCheq)));
}

void TfrmPrincipal::BitBtn59Click(QObject*) {
    sendOrClear(*this, cuponex::readCmc7Command(printerLine(),
                                                cuponex::radioItemIndex(t49->rgLeituraCmc7)));
}

void TfrmPrincipal::BitBtn57Click(QObject*) {
    cuponex::ChequeFields fields;
    fields.readCmc7 = t51->cbCmc7->isChecked();
    fields.bank = text(t51->edBancoCmc7);
    fields.value = text(t51->edValCheq);
    fields.line1 = text(t51->edLinhaCheq1);
    fields.line2 = text(t51->edLinhaCheq2);
    fields.yearDigitsItem = cuponex::radioItemIndex(t51->rgDigCheq);
    fields.date = cuponex::maskedValue(t51->mskDataCheq);
    send(cuponex::chequeCommand(printerLine(), fields));
}
