#pragma once
// A panel painted with a three-colour gradient, from its top edge through its
// middle to its bottom edge. Labels on it are transparent.
#include <QColor>
#include <QWidget>

namespace velmora {

class GradientPanel : public QWidget {
  Q_OBJECT

 public:
  GradientPanel(const QColor& start, const QColor& middle, const QColor& end,
                QWidget* parent = nullptr);

  QColor StartColor() const { return start_; }
  QColor MiddleColor() const { return middle_; }
  QColor EndColor() const { return end_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor start_;
  QColor middle_;
  QColor end_;
};

}  // namespace velmora
