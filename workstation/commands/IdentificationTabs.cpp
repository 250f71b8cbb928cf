// Send handlers of the customer identification and authentication tabs
// (.17, .19, .20).

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>

#include "commands/IdentificationCommands.h"
#include "ui_tab17.h"
#include "ui_tab19.h"
#include "ui_tab20.h"
#include "widgets/ErrorDisplay.h"
#include "widgets/RadioGroup.h"
#include "window/uPrincipal.h"

void TfrmPrincipal::setupIdentificationTabs() {
    t17 = makeForm<Ui::Tab17>(".17");
    t19 = makeForm<Ui::Tab19>(".19");
    t20 = makeForm<Ui::Tab20>(".20");

    using W = TfrmPrincipal;
    onClick(t17->BitBtn2, &W::BitBtn2Click);
    onClick(t19->BitBtn22, &W::BitBtn22Click);
    onClick(t20->BitBtn11, &W::BitBtn11Click);
    for (auto* item : t19->rgVersao4100->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly))
        onClick(item, &W::rgVersao4100Click);
    // The fields follow the box whoever changes it, the operator or
    // rgVersao4100Click clearing it: a box cleared out of sight must not leave
    // them disabled with no way back.
    connect(t19->cbSegTEF, &QCheckBox::toggled, this,
            [this] { cuponex::runGuarded(this, [this] { cbSegTEFClick(t19->cbSegTEF); }); });

    const KeyHandler digitKeys = &W::edItemKeyPress;
    rules(t19->EdTitulo, digitKeys, &W::edCodModaExit);
    rules(t19->edCOO, digitKeys, &W::edRedInExit);
    rules(t19->edTipoModal, digitKeys, &W::edCodModaExit);
    rules(t20->edAtribAut, digitKeys, &W::edAtrib1Exit);
    rules(t20->edAutCab, digitKeys, &W::edAtrib1Exit);
}

void TfrmPrincipal::BitBtn2Click(QObject*) {
    send(cuponex::taxpayerIdCommand(text(t17->edCNPJ)));
}

void TfrmPrincipal::BitBtn22Click(QObject*) {
    cuponex::CustomerIdFields fields;
    fields.title = text(t19->EdTitulo);
    fields.coo = text(t19->edCOO);
    fields.type = text(t19->edTipoModal);
    fields.identification = text(t19->edIdentificacao);
    fields.instalments = text(t19->edParcelas);
    fields.secondTefCopy = t19->cbSegTEF->isChecked();  // counts while hidden too
    send(cuponex::customerIdCommand(printerLine(), fields));
}

// The second TEF copy needs none of the fields: they take no entry while the
// box is checked.
void TfrmPrincipal::cbSegTEFClick(QObject*) {
    const bool enabled = !t19->cbSegTEF->isChecked();
    for (QLineEdit* field :
         {t19->EdTitulo, t19->edCOO, t19->edTipoModal, t19->edIdentificacao, t19->edParcelas})
        field->setEnabled(enabled);
}

// Only versions 1.5 and 1.6 of the 4100 print the second TEF copy.
void TfrmPrincipal::rgVersao4100Click(QObject*) {
    constexpr int kVersions15And16 = 2;  // the item "v1.5 e v1.6"
    if (cuponex::radioItemIndex(t19->rgVersao4100) == kVersions15And16) {
        t19->cbSegTEF->show();
    } else {
        t19->cbSegTEF->setChecked(false);
        t19->cbSegTEF->hide();
    }
}

void TfrmPrincipal::BitBtn11Click(QObject*) {
    cuponex::AuthenticationFields fields;
    fields.attribute = text(t20->edAtribAut);
    fields.code = text(t20->edAutCod);
    fields.header = text(t20->edAutCab);
    fields.logo = t20->cbLogo->isChecked();
    fields.netValue = t20->cbLiquido->isChecked();
    fields.text = text(t20->edAlfa);
    send(cuponex::authenticationCommand(printerLine(), fields));
}
