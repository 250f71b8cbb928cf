#include "window/TabStrip.h"

#include <QGridLayout>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>

TabStrip::TabStrip(QWidget* parent) : QWidget(parent) {
    buttons_.setExclusive(true);
}

void TabStrip::attach(QTabWidget* book, int columns) {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(1);
    for (int i = 0; i < book->count(); ++i) {
        auto* button = new QToolButton(this);
        button->setObjectName(QStringLiteral("tab") + book->widget(i)->objectName());
        button->setText(book->tabText(i));
        button->setToolTip(book->tabToolTip(i));
        button->setCheckable(true);
        button->setAutoRaise(true);  // flat, highlighted under the mouse
        button->setFocusPolicy(Qt::NoFocus);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        buttons_.addButton(button, i);
        grid->addWidget(button, i / columns, i % columns);
    }
    book->tabBar()->hide();
    if (auto* current = buttons_.button(book->currentIndex())) current->setChecked(true);
    connect(&buttons_, &QButtonGroup::idClicked, book, &QTabWidget::setCurrentIndex);
    connect(book, &QTabWidget::currentChanged, this, [this](int index) {
        if (auto* button = buttons_.button(index)) button->setChecked(true);
    });
}
