#pragma once
// Thermometer gauge: a labelled scale, a tube filled up to the reading and a bulb.
#include <QStringList>
#include <QWidget>

#include <string_view>

namespace skyvane {

class CThermometerCtrl : public QWidget {
  Q_OBJECT

 public:
  explicit CThermometerCtrl(QWidget* parent = nullptr);

  // UI thread only. Resets the scale to [min, max] in the given divisions and
  // extends it until value fits. Returns false (and changes nothing) for a
  // scale without divisions or span, or a value that is not finite.
  bool SetRange(float min, float max, int divisions, float value);
  // As SetRange with the reading's text; "" and "---" show no column.
  bool SetRangeText(float min, float max, int divisions, std::string_view text);

  bool HasValue() const { return hasValue_; }
  float ScaleMin() const { return scaleMin_; }
  float ScaleMax() const { return scaleMax_; }
  int Divisions() const { return divisions_; }
  float Value() const { return value_; }
  // Scale labels from the bottom up, as painted ("%3d").
  QStringList Labels() const;

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  bool hasValue_ = false;
  float baseMin_ = 20;
  float baseMax_ = 120;
  int baseDivisions_ = 5;
  float scaleMin_ = 20;
  float scaleMax_ = 120;
  int divisions_ = 5;
  float value_ = 25;
};

}  // namespace skyvane
