#include "app/look.h"

#include <QPalette>
#include <QStringList>
#include <QWidget>

namespace velmora {
namespace {

QFont MakeFont(const QStringList& families, int pixels, bool bold) {
  QFont font;
  font.setFamilies(families);
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

}  // namespace

QFont FontMsSansSerif(int pixels, bool bold) {
  return MakeFont({"MS Sans Serif", "Microsoft Sans Serif", "Liberation Sans", "DejaVu Sans"},
                  pixels, bold);
}

QFont FontArial(int pixels, bool bold) {
  return MakeFont({"Arial", "Liberation Sans", "DejaVu Sans"}, pixels, bold);
}

void SetTextColor(QWidget* widget, const QColor& color) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, color);
  palette.setColor(QPalette::Text, color);
  widget->setPalette(palette);
}

}  // namespace velmora
