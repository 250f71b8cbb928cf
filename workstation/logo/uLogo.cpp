#include "logo/uLogo.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QShowEvent>
#include <QStyle>
#include <cmath>

#include "ui_uLogo.h"

namespace {

constexpr int kCellWidth = 10;  // drawing area; the preview is a fifth of it
constexpr int kCellHeight = 20;
constexpr int kPreviewCellWidth = 2;
constexpr int kPreviewCellHeight = 4;

// The drawing area shows columns 0 to 59; the preview shows the whole strip.
constexpr int kAreaWidth = 600;
constexpr int kAreaHeight = kCellHeight * cuponex::kLogoRows;
constexpr int kStripWidth = kCellWidth * cuponex::kLogoColumns;  // where the grid reaches
constexpr int kPreviewWidth = kPreviewCellWidth * cuponex::kLogoColumns;
constexpr int kPreviewHeight = kPreviewCellHeight * cuponex::kLogoRows;

// Inside a cell, clear of its grid lines at the left and top: the part a
// clearing whitens and the dot.
constexpr int kInnerWidth = kCellWidth - 2;
constexpr int kInnerHeight = kCellHeight - 2;
constexpr int kDotHeight = kCellHeight - 4;

const QColor kSilver(192, 192, 192);
const QColor kNavy(0, 0, 128);

QImage whiteBitmap(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

int pixelOf(qreal coordinate) {
    return static_cast<int>(std::floor(coordinate));
}

}  // namespace

TfrmLogo::TfrmLogo(QLineEdit* formatoLogo, QWidget* parent)
    : QDialog(parent),
      ui(std::make_unique<Ui::TfrmLogo>()),
      formatoLogo_(formatoLogo),
      bitmap1_(whiteBitmap(kAreaWidth, kAreaHeight)),
      bitmap2_(whiteBitmap(kPreviewWidth, kPreviewHeight)) {
    ui->setupUi(this);
    ui->BitBtn1->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    ui->Limpar->setIcon(style()->standardIcon(QStyle::SP_TrashIcon));
    ui->BitBtn2->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    ui->Image1->installEventFilter(this);
    connect(ui->BitBtn1, &QPushButton::clicked, this, &TfrmLogo::BitBtn1Click);
    connect(ui->Limpar, &QPushButton::clicked, this, &TfrmLogo::LimparClick);
    connect(ui->BitBtn2, &QPushButton::clicked, this, &TfrmLogo::BitBtn2Click);
    ui->BitBtn1->setFocus();
    refreshImages();
}

TfrmLogo::~TfrmLogo() = default;

void TfrmLogo::showEvent(QShowEvent* event) {
    // Spontaneous shows (restoring a minimised window) keep the drawing.
    if (!event->spontaneous()) FormShow();
    QDialog::showEvent(event);
}

void TfrmLogo::FormShow() {
    Desenhando = false;
    LimparClick();
    ui->BitBtn1->setText(QStringLiteral("Grade"));
}

void TfrmLogo::LimparClick() {
    LogoColunas.fill(0);
    bitmap1_.fill(Qt::white);  // grid lines included; the caption stays
    bitmap2_.fill(Qt::white);
    refreshImages();
}

void TfrmLogo::BitBtn1Click() {
    QColor color = Qt::white;
    if (ui->BitBtn1->text() == QStringLiteral("Grade")) {
        color = kSilver;
        ui->BitBtn1->setText(QStringLiteral("Sem Grade"));
    } else {
        ui->BitBtn1->setText(QStringLiteral("Grade"));
    }
    // Lines lie on the cell borders, which dots and cleared cells never touch.
    QPainter painter(&bitmap1_);
    painter.setPen(color);
    for (int x = kCellWidth; x < kStripWidth; x += kCellWidth)
        painter.drawLine(x, 0, x, kAreaHeight);
    for (int y = kCellHeight; y < kAreaHeight; y += kCellHeight)
        painter.drawLine(0, y, kStripWidth, y);
    painter.end();
    refreshImages();
}

void TfrmLogo::BitBtn2Click() {
    if (formatoLogo_) {
        const QString digits = QString::fromStdString(cuponex::encodeLogoStrip(LogoColunas));
        formatoLogo_->setText(formatoLogo_->text() + digits);
    }
    accept();
}

void TfrmLogo::Image1MouseDown(Qt::MouseButton button, int x, int y) {
    Desenhando = true;
    ModoApagar = button != Qt::LeftButton;
    UltimaColuna = -1;
    UltimaLinha = -1;
    Image1MouseMove(x, y);
}

void TfrmLogo::Image1MouseMove(int x, int y) {
    if (!Desenhando) return;
    // Truncating division: less than a cell left of or above the area is
    // still column 0 or row 0.
    const int column = x / kCellWidth;
    const int row = y / kCellHeight;
    if (column == UltimaColuna && row == UltimaLinha) return;  // once per entry
    if (column < 0 || column >= cuponex::kLogoColumns) return;
    if (row < 0 || row >= cuponex::kLogoRows) return;
    UltimaColuna = column;
    UltimaLinha = row;
    paintCell(column, row);
}

void TfrmLogo::Image1MouseUp() {
    Desenhando = false;
}

void TfrmLogo::paintCell(int column, int row) {
    const std::uint8_t bit = cuponex::logoRowBit(row);
    const int x = kCellWidth * column;
    const int y = kCellHeight * row;
    const int px = kPreviewCellWidth * column;
    const int py = kPreviewCellHeight * row;
    QPainter area(&bitmap1_);
    QPainter preview(&bitmap2_);
    if (ModoApagar) {
        LogoColunas[column] &= static_cast<std::uint8_t>(~bit);
        area.fillRect(x + 1, y + 1, kInnerWidth, kInnerHeight, Qt::white);
        preview.fillRect(px, py, kPreviewCellWidth, kPreviewCellHeight, Qt::white);
    } else {
        LogoColunas[column] |= bit;
        // With a one-pixel pen the outline covers width + 1 pixels: the dot
        // spans x + 1 .. x + 8 and y + 1 .. y + 16.
        for (QPainter* painter : {&area, &preview}) {
            painter->setPen(Qt::black);
            painter->setBrush(kNavy);
        }
        area.drawEllipse(x + 1, y + 1, kInnerWidth - 1, kDotHeight - 1);
        preview.drawEllipse(px, py, kPreviewCellWidth - 1, kPreviewCellHeight - 1);
    }
    area.end();
    preview.end();
    refreshImages();
}

void TfrmLogo::refreshImages() {
    ui->Image1->setPixmap(QPixmap::fromImage(bitmap1_));
    ui->Image2->setPixmap(QPixmap::fromImage(bitmap2_));
}

bool TfrmLogo::eventFilter(QObject* watched, QEvent* event) {
    if (watched != ui->Image1) return QDialog::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {  // the second press of a double click
            const auto* mouse = static_cast<QMouseEvent*>(event);
            Image1MouseDown(mouse->button(), pixelOf(mouse->position().x()),
                            pixelOf(mouse->position().y()));
            return true;
        }
        case QEvent::MouseMove: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            Image1MouseMove(pixelOf(mouse->position().x()), pixelOf(mouse->position().y()));
            return true;
        }
        case QEvent::MouseButtonRelease:
            Image1MouseUp();
            return true;
        default:
            return QDialog::eventFilter(watched, event);
    }
}

TfrmLogo* frmLogo = nullptr;

void editLogo(QLineEdit* formatoLogo, QWidget* parent) {
    if (!formatoLogo) return;
    {
        TfrmLogo editor(formatoLogo);  // no owner; released when the modal state ends
        if (parent)
            editor.move(parent->window()->frameGeometry().center() - editor.rect().center());
        frmLogo = &editor;
        editor.exec();
        frmLogo = nullptr;
    }
    const std::string text = formatoLogo->text().toStdString();
    formatoLogo->setText(QString::fromStdString(cuponex::trimBlankLogoColumns(text)));
}
