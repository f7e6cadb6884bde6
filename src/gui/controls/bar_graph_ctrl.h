#pragma once
// Bar graph gauge: a labelled scale from 0 and one bar filled up to the reading.
#include <QStringList>
#include <QWidget>

#include <string_view>

namespace skyvane {

class CBarGraphCtrl : public QWidget {
  Q_OBJECT

 public:
  explicit CBarGraphCtrl(QWidget* parent = nullptr);

  // UI thread only. Resets the scale to [0, max] in the given divisions and
  // extends it until value fits. Returns false (and changes nothing) for a
  // scale without divisions or a top that is not positive, or a value that is
  // not finite.
  bool SetScale(float max, int divisions, float value);
  // As SetScale with the reading's text; "" and "---" show no bar.
  bool SetScaleText(float max, int divisions, std::string_view text);

  bool HasValue() const { return hasValue_; }
  float ScaleMax() const { return scaleMax_; }
  int Divisions() const { return divisions_; }
  float Value() const { return value_; }
  // Scale labels from the bottom up, as painted: the value at each tick, whole
  // numbers when every tick is whole and two decimals otherwise, right-aligned
  // to the width of the top label.
  QStringList Labels() const;

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  bool hasValue_ = false;
  float baseMax_ = 20;
  int baseDivisions_ = 4;
  float scaleMax_ = 20;
  int divisions_ = 4;
  float value_ = 10;
};

}  // namespace skyvane
