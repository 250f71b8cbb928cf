// Send handlers of the reading and report tabs (.13 to .16, .27 to .29) and
// the parameterless report tabs (.18, .21 to .23, .25, .26).

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <limits>

#include "commands/ReportCommands.h"
#include "ui_tab13.h"
#include "ui_tab14.h"
#include "ui_tab15.h"
#include "ui_tab16.h"
#include "ui_tab18.h"
#include "ui_tab21.h"
#include "ui_tab22.h"
#include "ui_tab23.h"
#include "ui_tab25.h"
#include "ui_tab26.h"
#include "ui_tab27.h"
#include "ui_tab28.h"
#include "ui_tab29.h"
#include "widgets/MaskedText.h"
#include "widgets/RadioGroup.h"
#include "window/uPrincipal.h"

void TfrmPrincipal::setupReportTabs() {
    t13 = makeForm<Ui::Tab13>(".13");
    t14 = makeForm<Ui::Tab14>(".14");
    t15 = makeForm<Ui::Tab15>(".15");
    t16 = makeForm<Ui::Tab16>(".16");
    t18 = makeForm<Ui::Tab18>(".18");
    t21 = makeForm<Ui::Tab21>(".21");
    t22 = makeForm<Ui::Tab22>(".22");
    t23 = makeForm<Ui::Tab23>(".23");
    t25 = makeForm<Ui::Tab25>(".25");
    t26 = makeForm<Ui::Tab26>(".26");
    t27 = makeForm<Ui::Tab27>(".27");
    t28 = makeForm<Ui::Tab28>(".28");
    t29 = makeForm<Ui::Tab29>(".29");

    onClick(t18->BitBtn21, &TfrmPrincipal::btnEnviaSemParametroClick);
    onClick(t21->BitBtn10, &TfrmPrincipal::btnEnviaSemParametroClick);
    onClick(t22->BitBtn23, &TfrmPrincipal::btnEnviaSemParametroClick);
    onClick(t23->BitBtn3, &TfrmPrincipal::btnEnviaSemParametroClick);
    onClick(t25->BitBtn24, &TfrmPrincipal::btnEnviaSemParametroClick);
    onClick(t26->BitBtn25, &TfrmPrincipal::btnEnviaSemParametroClick);

    using W = TfrmPrincipal;
    onClick(t13->BitBtn6, &W::BitBtn6Click);
    onClick(t14->BitBtn7, &W::BitBtn7Click);
    onClick(t15->BitBtn19, &W::BitBtn19Click);
    onClick(t16->BitBtn20, &W::BitBtn20Click);
    onClick(t27->BitBtn5, &W::BitBtn5Click);
    onClick(t28->BitBtn4, &W::BitBtn4Click);
    onClick(t29->BitBtn26, &W::BitBtn26Click);

    // The report title has no length limit of its own.
    t13->edTituloGerencial->setMaxLength(std::numeric_limits<int>::max());
    rules(t15->edRedIn, &W::edItemKeyPress, &W::edRedInExit);
    rules(t15->edRedFin, &W::edItemKeyPress, &W::edRedInExit);
}

void TfrmPrincipal::BitBtn6Click(QObject*) {
    send(cuponex::readingXCommand(printerLine(), t13->cbLX->isChecked(),
                                  text(t13->edTituloGerencial)));
}

void TfrmPrincipal::BitBtn7Click(QObject*) {
    send(cuponex::reductionZCommand(printerLine(), t14->cbRZ->isChecked(), text(t14->edData),
                                    text(t14->edHora)));
}

void TfrmPrincipal::BitBtn19Click(QObject*) {
    send(cuponex::reductionRangeCommand(text(t15->edRedIn), text(t15->edRedFin)));
}

void TfrmPrincipal::BitBtn20Click(QObject*) {
    send(cuponex::dateRangeCommand(cuponex::maskedValue(t16->mskDataInicio),
                                   cuponex::maskedValue(t16->mskDataFinal)));
}

void TfrmPrincipal::BitBtn5Click(QObject*) {
    send(cuponex::readingType27Command(cuponex::radioItemIndex(t27->rgTipo27)));
}

void TfrmPrincipal::BitBtn4Click(QObject* Sender) {
    send(cuponex::readingType28Command(printerLine(), Sender->property("Tag").toInt(),
                                       cuponex::radioItemIndex(t28->rgTipo28)));
}

void TfrmPrincipal::BitBtn26Click(QObject*) {
    send(cuponex::readingType29Command(cuponex::radioItemIndex(t29->rgTipo29)));
}
