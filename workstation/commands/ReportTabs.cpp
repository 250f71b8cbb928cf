// Send handlers of the reading and report tabs (.13 to .16, .27 to .29) and
// the parameterless report tabs (.18, .21 to .23, .25, .26).

#include "uPrincipal.h"
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
}

void TfrmPrincipal::BitBtn6Click(QObject*) {}

void TfrmPrincipal::BitBtn7Click(QObject*) {}

void TfrmPrincipal::BitBtn19Click(QObject*) {}

void TfrmPrincipal::BitBtn20Click(QObject*) {}

void TfrmPrincipal::BitBtn5Click(QObject*) {}

void TfrmPrincipal::BitBtn4Click(QObject*) {}

void TfrmPrincipal::BitBtn26Click(QObject*) {}
