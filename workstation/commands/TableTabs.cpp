// Handlers of the legend and payment-mode table tabs (.38, .39, .47): "Aplicar"
// appends one row to the tab's table text, "Limpar" empties it and "&Enviar"
// sends it as it stands.

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <limits>

#include "commands/TableCommands.h"
#include "ui_tab38.h"
#include "ui_tab39.h"
#include "ui_tab47.h"
#include "widgets/LengthLimit.h"
#include "widgets/RadioGroup.h"
#include "window/uPrincipal.h"

using cuponex::appendRow;

void TfrmPrincipal::setupTableTabs() {
    t38 = makeForm<Ui::Tab38>(".38");
    t39 = makeForm<Ui::Tab39>(".39");
    t47 = makeForm<Ui::Tab47>(".47");

    using W = TfrmPrincipal;
    onClick(t38->BitBtn36, &W::BitBtn36Click);
    onClick(t38->BitBtn37, &W::BitBtn37Click);
    onClick(t38->BitBtn38, &W::BitBtn38Click);
    onClick(t39->BitBtn40, &W::BitBtn40Click);
    onClick(t39->BitBtn39, &W::BitBtn39Click);
    onClick(t39->BitBtn41, &W::BitBtn41Click);
    onClick(t39->cbCheq, &W::cbCheqClick);
    onClick(t39->cbContraVale, &W::cbContraValeClick);
    onClick(t47->BitBtn48, &W::BitBtn48Click);
    onClick(t47->BitBtn49, &W::BitBtn49Click);
    onClick(t47->BitBtn50, &W::BitBtn50Click);

    // The legend tables have no length limit of their own; the payment-mode
    // table's limit follows the printer line.
    t38->edFormatoNF->setMaxLength(std::numeric_limits<int>::max());
    t47->edFormatoNF47->setMaxLength(std::numeric_limits<int>::max());
}

// .38 "Aplicar": one legend row; the legend stays for the next one.
void TfrmPrincipal::BitBtn36Click(QObject*) {
    appendRow(t38->edFormatoNF, cuponex::legendRow(text(t38->edLegNF)));
    t38->edLegNF->setFocus();
}

void TfrmPrincipal::BitBtn37Click(QObject*) {
    t38->edFormatoNF->clear();
}

void TfrmPrincipal::BitBtn38Click(QObject*) {
    send(cuponex::legendTableCommand(t38->cbZerar->isChecked(), text(t38->edFormatoNF)));
}

// .39 "Aplicar": one payment-mode row. A row that would pass the table's limit
// on the chosen line (10 rows, 20 on line RX) is not appended.
void TfrmPrincipal::BitBtn40Click(QObject*) {
    appendRow(t39->edNomeFormatoModa,
              cuponex::paymentModeRow(t39->cbVinc->isChecked(), t39->cbCheq->isChecked(),
                                      t39->cbContraVale->isChecked(), text(t39->edNomeModa)));
}

void TfrmPrincipal::BitBtn39Click(QObject*) {
    t39->edNomeFormatoModa->clear();
}

void TfrmPrincipal::BitBtn41Click(QObject*) {
    send(cuponex::paymentModeTableCommand(text(t39->edNomeFormatoModa)));
}

// The cheque-change and counter-voucher markers exclude each other; with a
// marker the name is one character shorter.
void TfrmPrincipal::cbCheqClick(QObject*) {
    if (t39->cbCheq->isChecked()) t39->cbContraVale->setChecked(false);
    t39->edNomeModa->setMaxLength(
        cuponex::paymentModeNameLimit(t39->cbCheq->isChecked(), t39->cbContraVale->isChecked()));
}

void TfrmPrincipal::cbContraValeClick(QObject*) {
    if (t39->cbContraVale->isChecked()) t39->cbCheq->setChecked(false);
    t39->edNomeModa->setMaxLength(
        cuponex::paymentModeNameLimit(t39->cbCheq->isChecked(), t39->cbContraVale->isChecked()));
}

// .47 "Aplicar": one change record; the kind and the three fields stay.
void TfrmPrincipal::BitBtn48Click(QObject*) {
    appendRow(t47->edFormatoNF47,
              cuponex::legendChangeRecord(cuponex::radioItemIndex(t47->rgNF), text(t47->edTituloNF),
                                          text(t47->edLegNF47), text(t47->edNovaLeg47)));
}

void TfrmPrincipal::BitBtn49Click(QObject*) {
    t47->edFormatoNF47->clear();
}

void TfrmPrincipal::BitBtn50Click(QObject*) {
    send(cuponex::legendChangesCommand(text(t47->edFormatoNF47)));
}
