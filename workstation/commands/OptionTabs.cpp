// Send handlers of the printer option tabs (.41, .50, .54) and the
// parameterless option tabs (.42, .43, .53).

#include <QCheckBox>
#include <QComboBox>

#include "commands/OptionCommands.h"
#include "ui_tab41.h"
#include "ui_tab42.h"
#include "ui_tab43.h"
#include "ui_tab50.h"
#include "ui_tab53.h"
#include "ui_tab54.h"
#include "widgets/Latin1.h"
#include "window/uPrincipal.h"

using cuponex::latin1;

void TfrmPrincipal::setupOptionTabs() {
    t41 = makeForm<Ui::Tab41>(".41");
    t42 = makeForm<Ui::Tab42>(".42");
    t43 = makeForm<Ui::Tab43>(".43");
    t50 = makeForm<Ui::Tab50>(".50");
    t53 = makeForm<Ui::Tab53>(".53");
    t54 = makeForm<Ui::Tab54>(".54");

    onClick(t42->BitBtn42, &TfrmPrincipal::btnEnviaSemParametroClick);
    onClick(t43->BitBtn44, &TfrmPrincipal::btnEnviaSemParametroClick);
    onClick(t53->BitBtn61, &TfrmPrincipal::btnEnviaSemParametroClick);
    onClick(t41->BitBtn43, &TfrmPrincipal::BitBtn43Click);
    onClick(t50->BitBtn51, &TfrmPrincipal::BitBtn51Click);
    onClick(t54->BitBtn62, &TfrmPrincipal::BitBtn62Click);
}

void TfrmPrincipal::BitBtn43Click(QObject*) {
    send(cuponex::commandConfirmationCommand(t41->cbConfirmaComando->isChecked()));
}

void TfrmPrincipal::BitBtn51Click(QObject*) {
    cuponex::PrintOptionFields fields;
    fields.immediatePrinting = t50->cbImediata->isChecked();
    fields.abbreviatedReplies = t50->cbAbrev->isChecked();
    fields.bidirectional = t50->cbBidi->isChecked();
    fields.immediateChange = t50->cbTroco->isChecked();
    send(cuponex::printOptionsCommand(fields));
}

// .54: the selected item of each list A to F; the lists are not editable, so
// each holds one of "1", "2" and "3".
void TfrmPrincipal::BitBtn62Click(QObject*) {
    const std::array<QComboBox*, 6> lists{t54->cbTipoIsentoA, t54->cbTipoIsentoB,
                                          t54->cbTipoIsentoC, t54->cbTipoIsentoD,
                                          t54->cbTipoIsentoE, t54->cbTipoIsentoF};
    std::array<std::string, 6> types;
    for (std::size_t i = 0; i < lists.size(); ++i) types[i] = latin1(lists[i]->currentText());
    send(cuponex::exemptionTypesCommand(printerLine(), types));
}
