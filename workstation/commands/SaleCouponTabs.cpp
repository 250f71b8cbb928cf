// Send handlers of the sale-coupon tabs (.01 to .12).

#include "uPrincipal.h"

void TfrmPrincipal::setupSaleCouponTabs() {}

void TfrmPrincipal::BitBtn1Click(QObject*) {}
void TfrmPrincipal::BitBtn8Click(QObject*) {}
void TfrmPrincipal::BitBtn9Click(QObject*) {}
void TfrmPrincipal::bitCancelaItemClick(QObject*) {}
void TfrmPrincipal::BitBtn60Click(QObject*) {}
void TfrmPrincipal::BitBtn12Click(QObject*) {}
void TfrmPrincipal::BitBtn13Click(QObject*) {}
void TfrmPrincipal::BitBtn14Click(QObject*) {}
void TfrmPrincipal::BitBtn15Click(QObject*) {}
void TfrmPrincipal::BitBtn16Click(QObject*) {}
void TfrmPrincipal::BitBtn17Click(QObject*) {}
void TfrmPrincipal::BitBtn54Click(QObject*) {}
void TfrmPrincipal::BitBtn55Click(QObject*) {}
void TfrmPrincipal::BitBtn56Click(QObject*) {}
void TfrmPrincipal::BitBtn18Click(QObject*) {}
