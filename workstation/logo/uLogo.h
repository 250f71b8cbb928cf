#pragma once
// Logo editor "Logotipo do Lojista": the operator draws the 100 x 8-dot strip
// of tab .40 with the mouse; "OK" appends it as hexadecimal text to the tab's
// logo field.

#include <QDialog>
#include <QImage>
#include <QPointer>
#include <memory>

#include "logo/LogoCommands.h"

class QLineEdit;

namespace Ui {
class TfrmLogo;
}

class TfrmLogo : public QDialog {
    Q_OBJECT

  public:
    // formatoLogo receives the 200 digits on "OK".
    explicit TfrmLogo(QLineEdit* formatoLogo, QWidget* parent = nullptr);
    ~TfrmLogo() override;

    const cuponex::LogoStrip& logoColunas() const { return LogoColunas; }
    // Off-screen bitmaps of the drawing area (600 x 160) and preview (200 x 32).
    const QImage& bitmap1() const { return bitmap1_; }
    const QImage& bitmap2() const { return bitmap2_; }

  public slots:
    // Each opening starts with an empty strip, white images and no grid.
    // Runs when the window is shown, not when it merely becomes active again.
    void FormShow();
    void LimparClick();
    void BitBtn1Click();
    void BitBtn2Click();
    void Image1MouseDown(Qt::MouseButton button, int x, int y);
    void Image1MouseMove(int x, int y);
    void Image1MouseUp();

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void paintCell(int column, int row);
    void refreshImages();

    std::unique_ptr<Ui::TfrmLogo> ui;
    QPointer<QLineEdit> formatoLogo_;
    QImage bitmap1_;
    QImage bitmap2_;

    cuponex::LogoStrip LogoColunas{};
    bool Desenhando = false;  // a button is held over the drawing area
    bool ModoApagar = false;  // the stroke clears dots (not the left button)
    int UltimaColuna = -1;    // cell last painted in this stroke
    int UltimaLinha = -1;
};

// "Editar Logotipo do lojista": runs a new editor modally, centred on parent's
// window, releases it, then removes the trailing blank columns ("20" pairs)
// from the logo field, however the editor was closed.
void editLogo(QLineEdit* formatoLogo, QWidget* parent);

// The editor while editLogo shows it; null otherwise.
extern TfrmLogo* frmLogo;
