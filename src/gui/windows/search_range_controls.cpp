#include "gui/windows/search_range_controls.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <QTimeEdit>

#include <algorithm>
#include <string_view>

#include "core/app/text_table.h"
#include "core/history/search_range.h"
#include "gui/windows/window_controls.h"

namespace skyvane {
namespace {

// Date pickers take the text table's format; its "yyy" means the full year,
// which Qt writes "yyyy".
QString DatePickerFormat(std::string_view format) {
  QString f = QString::fromUtf8(format.data(), static_cast<int>(format.size()));
  if (f.contains(QLatin1String("yyy")) && !f.contains(QLatin1String("yyyy"))) {
    f.replace(QLatin1String("yyy"), QLatin1String("yyyy"));
  }
  return f;
}

QString PickerText(const QDateEdit* date, const QTimeEdit* time) {
  return date->date().toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char(' ') +
         time->time().toString(QStringLiteral("HH:mm:ss"));
}

// Room for the picker's widest text in its font: every digit of the format
// written as the font's widest digit, as the style frames a spin box.
int PickerWidth(const QDateTimeEdit* picker) {
  const QFontMetrics fm(picker->font());
  QChar widest = QLatin1Char('0');
  for (char d = '1'; d <= '9'; ++d) {
    if (fm.horizontalAdvance(QLatin1Char(d)) > fm.horizontalAdvance(widest)) widest = QLatin1Char(d);
  }
  QString text = picker->displayFormat();
  for (QChar& c : text) {
    if (c.isLetter()) c = widest;
  }
  // A blank and two pixels more, as Qt allows for the cursor.
  const QSize content(fm.horizontalAdvance(text + QLatin1Char(' ')) + 2, picker->sizeHint().height());
  QStyleOptionSpinBox opt;
  opt.initFrom(picker);
  opt.frame = true;
  opt.buttonSymbols = picker->buttonSymbols();
  opt.subControls = QStyle::SC_SpinBoxFrame | QStyle::SC_SpinBoxEditField | QStyle::SC_SpinBoxUp |
                    QStyle::SC_SpinBoxDown;
  const int framed = picker->style()->sizeFromContents(QStyle::CT_SpinBox, &opt, content, picker).width();
  return std::max(framed, picker->sizeHint().width());
}

}  // namespace

QDateTime LocalTimeOf(std::time_t t) { return QDateTime::fromSecsSinceEpoch(static_cast<qint64>(t)); }

void SearchRangeControls::Build(QWidget* window, const SearchRangeCaptions& c, const TextTable& text) {
  const QString dateFormat = DatePickerFormat(text.Text(Txt::DatePickerFormat));
  auto dateEdit = [window, &dateFormat](const char* name) {
    auto* d = new QDateEdit(window);
    d->setObjectName(QLatin1String(name));
    d->setDisplayFormat(dateFormat);
    d->setCalendarPopup(true);
    return d;
  };
  auto timeEdit = [window](const char* name) {
    auto* t = new QTimeEdit(window);
    t->setObjectName(QLatin1String(name));
    t->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    return t;
  };

  group = new QGroupBox(c.searchGroup, window);
  group->setObjectName(QStringLiteral("searchGroup"));
  conditionLabel = MakeLabel(window, c.condition, "conditionLabel");
  condition = MakeCombo(window, "condition");
  condition->addItems(c.conditionItems);
  startLabel = MakeLabel(window, c.startTime, "startLabel");
  startDate = dateEdit("startDate");
  startTime = timeEdit("startTime");
  endLabel = MakeLabel(window, c.endTime, "endLabel");
  endDate = dateEdit("endDate");
  endTime = timeEdit("endTime");
  search = MakeButton(window, c.search, "search");
  search->setDefault(true);
}

void SearchRangeControls::LayOut() {
  condition->setMinimumWidth(130);
  // Never narrower than the first design, and wide enough for the font.
  for (QDateTimeEdit* picker : {startDate, endDate})
    picker->setMinimumWidth(std::max(110, PickerWidth(picker)));
  for (QDateTimeEdit* picker : {startTime, endTime})
    picker->setMinimumWidth(std::max(86, PickerWidth(picker)));
  search->setMinimumWidth(110);
  auto* row = new QHBoxLayout(group);
  row->addWidget(conditionLabel);
  row->addWidget(condition);
  row->addSpacing(10);
  row->addWidget(startLabel);
  row->addWidget(startDate);
  row->addWidget(startTime);
  row->addSpacing(10);
  row->addWidget(endLabel);
  row->addWidget(endDate);
  row->addWidget(endTime);
  row->addSpacing(20);
  row->addWidget(search);
  row->addStretch(1);
}

void SearchRangeControls::SetPickers(const QDateTime& start, const QDateTime& end) {
  startDate->setDate(start.date());
  startTime->setTime(start.time());
  endDate->setDate(end.date());
  endTime->setTime(end.time());
}

void SearchRangeControls::SpanEndingAt(std::time_t now) {
  SetPickers(LocalTimeOf(now - SearchSpanSeconds(condition->currentIndex())), LocalTimeOf(now));
}

QString SearchRangeControls::StartText() const { return PickerText(startDate, startTime); }

QString SearchRangeControls::EndText() const { return PickerText(endDate, endTime); }

}  // namespace skyvane
