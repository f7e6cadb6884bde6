#pragma once
// Wind direction gauge: the compass-rose picture with a needle for one of the
// sixteen compass points.
#include <QPixmap>
#include <QPoint>
#include <QRect>
#include <QWidget>

#include <array>
#include <string_view>

namespace skyvane {

// The needle for direction d (0 = north, 4 = east, clockwise in sixteenths) in
// a control with the given client rectangle: tail, left, tip, right.
std::array<QPoint, 4> CompassNeedle(const QRect& client, int direction);

class CCompassCtrl : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kNoDirection = -1;

  explicit CCompassCtrl(QWidget* parent = nullptr);

  // UI thread only. 0 to 15 show the needle; any other value shows none.
  void SetDirection(int direction);
  // "" and "---" count as no direction; otherwise the leading integer of the text.
  void SetDirectionText(std::string_view text);

  int Direction() const { return direction_; }
  const QPixmap& Rose() const { return rose_; }

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QPixmap rose_;
  // The rose redrawn in the ink of a dark palette, and the ink it was drawn in.
  QPixmap inkedRose_;
  QRgb inkedFor_ = 0;
  QRgb inkedOn_ = 0;
  int direction_ = kNoDirection;
};

}  // namespace skyvane
