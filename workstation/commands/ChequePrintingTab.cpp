// Send handler of the cheque printing tab (.24).

#include <QGroupBox>
#include <QLineEdit>

#include "commands/ChequePrintingCommands.h"
#include "ui_tab24.h"
#include "widgets/MaskedText.h"
#include "widgets/RadioGroup.h"
#include "window/uPrincipal.h"

void TfrmPrincipal::setupChequePrintingTab() {
    t24 = makeForm<Ui::Tab24>(".24");

    using W = TfrmPrincipal;
    onClick(t24->BitBtn27, &W::BitBtn27Click);
    rules(t24->edBanco, &W::edItemKeyPress, &W::edItemExit);
    rules(t24->edValorCheque, &W::edPrecoKeyPress, &W::edPrecoExit);
}

void TfrmPrincipal::BitBtn27Click(QObject*) {
    cuponex::ChequePrintingFields fields;
    fields.bank = text(t24->edBanco);
    fields.amount = text(t24->edValorCheque);
    fields.date = cuponex::maskedValue(t24->mskDataCheque);
    fields.yearDigitsItem = cuponex::radioItemIndex(t24->rgDigitosCheque);
    fields.placeItem = cuponex::radioItemIndex(t24->rgInfoAdic);
    fields.line1 = text(t24->edLinhaCheque1);
    fields.line2 = text(t24->edLinhaCheque2);
    send(cuponex::chequePrintingCommand(fields));
}
