// Send handlers of the sale-coupon tabs (.01 to .12): each reads its tab's
// fields, builds the command text and shows the printer's reply.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <array>
#include <limits>

#include "commands/SaleCouponCommands.h"
#include "ui_tab01.h"
#include "ui_tab02.h"
#include "ui_tab03.h"
#include "ui_tab04.h"
#include "ui_tab05.h"
#include "ui_tab06.h"
#include "ui_tab07.h"
#include "ui_tab08.h"
#include "ui_tab09.h"
#include "ui_tab10.h"
#include "ui_tab11.h"
#include "ui_tab12.h"
#include "widgets/Latin1.h"
#include "widgets/LengthLimit.h"
#include "widgets/RadioGroup.h"
#include "window/uPrincipal.h"

using cuponex::appendRow;
using cuponex::latin1;

void TfrmPrincipal::setupSaleCouponTabs() {
    t01 = makeForm<Ui::Tab01>(".01");
    t02 = makeForm<Ui::Tab02>(".02");
    t03 = makeForm<Ui::Tab03>(".03");
    t04 = makeForm<Ui::Tab04>(".04");
    t05 = makeForm<Ui::Tab05>(".05");
    t06 = makeForm<Ui::Tab06>(".06");
    t07 = makeForm<Ui::Tab07>(".07");
    t08 = makeForm<Ui::Tab08>(".08");
    t09 = makeForm<Ui::Tab09>(".09");
    t10 = makeForm<Ui::Tab10>(".10");
    t11 = makeForm<Ui::Tab11>(".11");
    t12 = makeForm<Ui::Tab12>(".12");

    using W = TfrmPrincipal;
    onClick(t05->btnEnviaSemParametro, &W::btnEnviaSemParametroClick);
    onClick(t01->BitBtn1, &W::BitBtn1Click);
    onClick(t02->BitBtn8, &W::BitBtn8Click);
    onClick(t03->BitBtn9, &W::BitBtn9Click);
    onClick(t04->bitCancelaItem, &W::bitCancelaItemClick);
    onClick(t06->BitBtn60, &W::BitBtn60Click);
    onClick(t07->BitBtn12, &W::BitBtn12Click);
    onClick(t08->BitBtn13, &W::BitBtn13Click);
    onClick(t09->BitBtn54, &W::BitBtn54Click);
    onClick(t09->BitBtn55, &W::BitBtn55Click);
    onClick(t09->BitBtn56, &W::BitBtn56Click);
    onClick(t10->BitBtn15, &W::BitBtn15Click);
    onClick(t10->BitBtn16, &W::BitBtn16Click);
    onClick(t10->BitBtn14, &W::BitBtn14Click);
    onClick(t11->BitBtn17, &W::BitBtn17Click);
    onClick(t12->BitBtn18, &W::BitBtn18Click);

    const KeyHandler amountKeys = &W::edPrecoKeyPress;
    const KeyHandler digitKeys = &W::edItemKeyPress;
    rules(t01->edQuant, nullptr, &W::edQuantExit);
    rules(t01->edPreco, amountKeys, &W::edPrecoExit);
    rules(t01->edTotal, amountKeys, &W::edPrecoExit);
    rules(t02->edDescItemTexto, nullptr, &W::edDescItemTextoExit);
    rules(t02->edDescItemValor, amountKeys, &W::edDescItemValorExit);
    rules(t03->edDescSubText, nullptr, &W::edDescSubTextExit);
    rules(t03->edDescSubValor, amountKeys, &W::edDescItemValorExit);
    rules(t04->edItem, digitKeys, &W::edItemExit);
    rules(t06->edTransfPag, amountKeys, &W::edPrecoExit);
    // The collected lists have no length limit of their own.
    t09->edFormatoIndic->setMaxLength(std::numeric_limits<int>::max());
    t10->edEnviaModa->setMaxLength(std::numeric_limits<int>::max());
    // A typed code goes as typed: "1" must not complete to "10".
    t06->cbCodDeb->setCompleter(nullptr);
    t06->cbCodCred->setCompleter(nullptr);
    rules(t07->edCodigoLegenda, digitKeys, nullptr);
    rules(t07->edValorLegenda, amountKeys, &W::edDescItemValorExit);
    rules(t09->edAtribIndic, digitKeys, &W::edAtrib1Exit);
    rules(t09->edTipoIndic, digitKeys, &W::edCodModaExit);
    rules(t10->edCodModa, digitKeys, &W::edCodModaExit);
    rules(t10->edValorModa, amountKeys, &W::edDescItemValorExit);
    rules(t11->edPctAcre, amountKeys, &W::edDescItemValorExit);
    rules(t11->edValorAcre, amountKeys, &W::edDescItemValorExit);
    for (QLineEdit* attribute : {t12->edAtrib1, t12->edAtrib2, t12->edAtrib3, t12->edAtrib4,
                                 t12->edAtrib5, t12->edAtrib6, t12->edAtrib7, t12->edAtrib8})
        rules(attribute, digitKeys, &W::edAtrib1Exit);
}

void TfrmPrincipal::BitBtn1Click(QObject*) {
    cuponex::ItemSaleFields fields;
    fields.code = text(t01->edCodigo);
    fields.quantity = text(t01->edQuant);
    fields.unitPrice = text(t01->edPreco);
    fields.total = text(t01->edTotal);
    fields.description = text(t01->edDesc);
    fields.taxRate = text(t01->mskAliquota);
    fields.extraDescription = text(t01->edDescrA);
    fields.tamcod = text(t01->mskTamcod);
    send(cuponex::itemSaleCommand(fields));
}

void TfrmPrincipal::BitBtn8Click(QObject*) {
    send(cuponex::itemDiscountCommand(printerLine(), text(t02->edDescItemTexto),
                                      text(t02->edDescItemValor)));
}

void TfrmPrincipal::BitBtn9Click(QObject*) {
    send(cuponex::subtotalDiscountCommand(printerLine(), text(t03->edDescSubText),
                                          text(t03->edDescSubValor), t03->cbImpSub->isChecked()));
}

void TfrmPrincipal::bitCancelaItemClick(QObject*) {
    send(cuponex::cancelItemCommand(text(t04->edItem)));
    t04->edItem->setFocus();
}

void TfrmPrincipal::BitBtn60Click(QObject*) {
    send(cuponex::paymentTransferCommand(latin1(t06->cbCodDeb->currentText()),
                                         text(t06->edTransfPag),
                                         latin1(t06->cbCodCred->currentText())));
}

void TfrmPrincipal::BitBtn12Click(QObject*) {
    send(cuponex::legendCommand(text(t07->edCodigoLegenda), text(t07->edValorLegenda),
                                text(t07->edDescLeg)));
    t07->edCodigoLegenda->setFocus();
}

void TfrmPrincipal::BitBtn13Click(QObject*) {
    const int chosen = cuponex::radioItemIndex(t08->rgAtribTNF);
    send(cuponex::voucherTextCommand(chosen, text(t08->edTNF)));
    if (chosen != 0) t08->edTNF->setFocus();  // item 0 closes the voucher
}

// .10 "Aplicar": one payment entry onto the "Formato" list.
void TfrmPrincipal::BitBtn15Click(QObject*) {
    appendRow(t10->edEnviaModa, cuponex::paymentEntry(text(t10->edCodModa), text(t10->edValorModa),
                                                      text(t10->edTexto1), text(t10->edTexto2)));
    t10->edCodModa->setFocus();
}

void TfrmPrincipal::BitBtn16Click(QObject*) {
    t10->edEnviaModa->clear();
}

void TfrmPrincipal::BitBtn14Click(QObject*) {
    send(cuponex::paymentCommand(text(t10->edEnviaModa)));
}

void TfrmPrincipal::BitBtn17Click(QObject*) {
    send(cuponex::surchargeCommand(t11->cbTipoAcr->currentIndex(), text(t11->edPctAcre),
                                   text(t11->edValorAcre), t11->cbAcreSub->isChecked()));
}

// .09 "Aplicar": one identifier onto the "Formato" list.
void TfrmPrincipal::BitBtn54Click(QObject*) {
    appendRow(t09->edFormatoIndic,
              cuponex::identifierElement(text(t09->edTipoIndic), text(t09->edIdentIndic)));
}

void TfrmPrincipal::BitBtn55Click(QObject*) {
    t09->edFormatoIndic->clear();
}

void TfrmPrincipal::BitBtn56Click(QObject*) {
    send(cuponex::identifierListCommand(text(t09->edAtribIndic), text(t09->edFormatoIndic)));
}

void TfrmPrincipal::BitBtn18Click(QObject*) {
    const std::array<QLineEdit*, 8> attributes{t12->edAtrib1, t12->edAtrib2, t12->edAtrib3,
                                               t12->edAtrib4, t12->edAtrib5, t12->edAtrib6,
                                               t12->edAtrib7, t12->edAtrib8};
    const std::array<QLineEdit*, 8> lines{t12->edLinha1, t12->edLinha2, t12->edLinha3,
                                          t12->edLinha4, t12->edLinha5, t12->edLinha6,
                                          t12->edLinha7, t12->edLinha8};
    cuponex::ClosingFields fields;
    fields.withoutParameters = t12->cbSemPara->isChecked();
    fields.linked = t12->cbVinculado->isChecked();
    fields.secondCoupon = t12->cbSeg->isChecked();
    for (std::size_t row = 0; row < fields.rows.size(); ++row)
        fields.rows[row] = {text(attributes[row]), text(lines[row])};
    send(cuponex::closingCommand(printerLine(), fields));
}
