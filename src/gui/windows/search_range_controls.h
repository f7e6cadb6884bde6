#pragma once
// The search row the History and Graph windows share: a "Search" group with
// the Condition list of spans, the start and end pickers (a date and a time
// each) and the Search button. Choosing a Condition sets the pickers to that
// span ending now; the window reads the range from the pickers on Search.
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <ctime>

class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QPushButton;
class QTimeEdit;
class QWidget;

namespace skyvane {

class TextTable;

// The row's captions in the window's language.
struct SearchRangeCaptions {
  QString searchGroup;
  QString condition;
  QString startTime;
  QString endTime;
  QString search;
  QStringList conditionItems;  // "an hour", "24 hours", "a week", "a month", "user defined"
};

// A time of the clock as a local date and time for the pickers.
QDateTime LocalTimeOf(std::time_t t);

// The controls are laid out in the group box, which the window places.
struct SearchRangeControls {
  QGroupBox* group = nullptr;
  QLabel* conditionLabel = nullptr;
  QComboBox* condition = nullptr;
  QLabel* startLabel = nullptr;
  QDateEdit* startDate = nullptr;
  QTimeEdit* startTime = nullptr;
  QLabel* endLabel = nullptr;
  QDateEdit* endDate = nullptr;
  QTimeEdit* endTime = nullptr;
  QPushButton* search = nullptr;

  // Creates the controls in tab order, before the window's others. The date
  // pickers take the text table's date format; Search is the default button.
  void Build(QWidget* window, const SearchRangeCaptions& captions, const TextTable& text);
  // Lays the controls out in one row inside the group. The widths of the
  // window's first design are minimums; larger fonts widen the row.
  void LayOut();

  void SetPickers(const QDateTime& start, const QDateTime& end);
  // The pickers on the span of the Condition selection, ending at now.
  void SpanEndingAt(std::time_t now);
  // The picker values, written "yyyy-MM-dd HH:mm:ss" as records store times.
  QString StartText() const;
  QString EndText() const;
};

}  // namespace skyvane
