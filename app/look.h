#pragma once
// Fonts and colours shared by the windows. The windows were drawn for
// "MS Sans Serif" and Arial at 96 dots per inch; where those fonts are missing
// the nearest sans-serif face that the system has takes their place.
#include <QColor>
#include <QFont>

class QWidget;

namespace velmora {

// Sizes are in pixels, as the windows were drawn (8 points = 11 pixels).
QFont FontMsSansSerif(int pixels, bool bold = false);
QFont FontArial(int pixels, bool bold = false);

// Sets a widget's text colour (labels over the gradient panels).
void SetTextColor(QWidget* widget, const QColor& color);

namespace colores {
inline const QColor kRojo(0xFF, 0x00, 0x00);
inline const QColor kGranate(0x80, 0x00, 0x00);
inline const QColor kAzul(0x00, 0x00, 0xFF);
inline const QColor kBlanco(0xFF, 0xFF, 0xFF);
inline const QColor kAmarillo(0xFF, 0xFF, 0x00);
// Sky blue, as Windows names it.
inline const QColor kAzulCielo(0xA6, 0xCA, 0xF0);
// The inactive caption text colour of the Windows desktop the dialogs were
// drawn on; Qt has no such role, so it is fixed here.
inline const QColor kTextoTituloInactivo(0xD8, 0xE4, 0xF8);
}  // namespace colores

}  // namespace velmora
