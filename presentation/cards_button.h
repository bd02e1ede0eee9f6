// TZunCardsButton: the owner-drawn button of every window.
//
// The button is drawn from three pieces of red button art (left end, middle, right end) chosen by
// height band and style, recoloured by a colour scheme and lightened toward white. At the standard
// heights 30, 45 and 60 the classic style paints the middle row by row from a fixed gradient table.
// The art comes from the program's resources ("R29_L" ... "Q59_2"); while a piece is missing the
// button draws the same gradient as a plain stand-in, so it always paints.
#pragma once

#include <QColor>
#include <QImage>
#include <QPushButton>
#include <QRgb>
#include <vector>

class QPainter;

namespace kesp {

enum class TColorSB { DRed, DGreen, DBlue, DNavy, DYellow, DViolet, DOrang, DCards };
enum class THeightSB { D30, D45, D60 };

// Loads an image of the program's resources by name. Resource names are upper case and compared
// without regard to case; a name is tried bare and with ".PNG"/".png". Null when missing.
QImage LoadResourceImage(const QString& name);

// The scheme's recolouring of one pixel of the red art, followed by the lightening `kLight` (0..100).
// In the new style the cards scheme and the lightening only touch pixels near pure red.
QRgb SchemeColor(QRgb pixel, TColorSB scheme, int kLight, bool newStyle);
// The same for every pixel of an image (alpha kept).
QImage ApplyScheme(const QImage& art, TColorSB scheme, int kLight, bool newStyle);

// The row colours of the classic style's middle for a standard height (30, 45 or 60): height - 1
// colours from the top, in the red scheme. Empty for other heights.
std::vector<QRgb> ButtonGradient(int height);
// The height band's art height (29, 44 or 59) for any button height.
int ButtonBand(int height);
// The width of the end pieces for a button height.
int EndPieceWidth(int height);
// The focus contour's colour and the new style's focus dot colour of a scheme.
QColor KonturColor(TColorSB scheme);
QColor FocusDotColor(TColorSB scheme);

// The contrast ratio of two colours by their relative luminance (1 for equal colours, 21 for black
// and white); 4.5 is what small text needs to read well.
double ContrastRatio(const QColor& a, const QColor& b);
// The colour the button's palest rows take in a scheme: a caption that contrasts too little with it
// is drawn with a dark outline.
QColor PaleBandColor(TColorSB scheme, int kLight, bool newStyle);
// The outline of light captions: the scheme's darkest red.
QColor CaptionOutlineColor(TColorSB scheme, int kLight, bool newStyle);

// The caption's font for `room` pixels between the end pieces: the font itself, or a smaller size of
// it when the text would be wider.
QFont CaptionFont(const QFont& font, const QString& text, int room);

class TZunCardsButton : public QPushButton {
    Q_OBJECT
  public:
    enum class GlyphLayout { Left, Right, Centre };
    struct DrawState {
        bool pressed = false;
        bool disabled = false;
        bool focused = false;
    };

    explicit TZunCardsButton(QWidget* parent = nullptr);
    explicit TZunCardsButton(const QString& caption, QWidget* parent = nullptr);

    TColorSB ColorSB() const { return FColorSB; }
    void SetColorSB(TColorSB scheme);
    QColor ColorMouse() const { return FColorMouse; }
    void SetColorMouse(const QColor& colour);
    bool LightFont() const { return FLightFont; }
    void SetLightFont(bool on);
    bool GrayDis() const { return FGrayDis; }
    void SetGrayDis(bool on);
    THeightSB HeightSB() const { return FHeightSB; }
    // Sets the standard height and resizes the button to 30, 45 or 60 pixels.
    void SetHeightSB(THeightSB band);
    int KLightSB() const { return FKLightSB; }
    // Percent 0..100; values outside are clamped.
    void SetKLightSB(int percent);
    bool Kontur() const { return FKontur; }
    void SetKontur(bool on);
    bool Smooth() const { return FSmooth; }
    void SetSmooth(bool on);
    bool NewStyle() const { return FNewStyle; }
    void SetNewStyle(bool on);
    GlyphLayout Layout() const { return FLayout; }
    void SetLayout(GlyphLayout layout);

    bool MouseInPos() const { return FMouseInPos; }
    // The default button of its window: it is marked as default or holds the focus.
    bool IsFocused() const { return isDefault() || hasFocus(); }
    // The painter of the paint in progress (for DrawButton handlers); null outside painting.
    QPainter* Canvas() const { return FCanvas; }

    QSize sizeHint() const override { return {100, 30}; }
    // The caption's colour as painted now: the font colour, the mouse colour or silver.
    QColor CaptionColor() const;

  signals:
    // After the button has painted itself, with the button's painter and rectangle.
    void DrawButton(QPainter& canvas, const QRect& rect, TZunCardsButton::DrawState state);
    void MouseEnter();
    void MouseLeave();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    QImage Piece(const char* part) const;
    void PaintFocus(QPainter& painter, int endWidth) const;

    QPainter* FCanvas = nullptr;
    QColor FColorMouse{Qt::yellow};
    bool FLightFont = false;
    TColorSB FColorSB = TColorSB::DRed;
    int FKLightSB = 0;
    THeightSB FHeightSB = THeightSB::D30;
    bool FGrayDis = false;
    bool FMouseInPos = false;
    bool FKontur = true;
    bool FSmooth = true;
    bool FNewStyle = false;
    GlyphLayout FLayout = GlyphLayout::Left;
};

}  // namespace kesp
