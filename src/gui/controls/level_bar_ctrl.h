#pragma once
// Level bar: the Beaufort scale 0 to 12 with a bar filled up to the level.
#include <QWidget>

#include <string_view>

namespace skyvane {

class CLevelBarCtrl : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kMaxLevel = 12;

  explicit CLevelBarCtrl(QWidget* parent = nullptr);

  // UI thread only. Levels outside 0 to 12 leave the current level unchanged.
  void SetLevel(int level);
  // "" and "---" count as level 0; otherwise the leading integer of the text.
  void SetLevelText(std::string_view text);

  int Level() const { return level_; }

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int level_ = 5;
};

}  // namespace skyvane
